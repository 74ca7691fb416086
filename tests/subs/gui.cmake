# The submaster windows and report dialogs, driven through their widgets.
