# The cue editor and the cue dialogs.
target_sources(lumora_gui PRIVATE
  CueEdit2.cpp CueEdit2.h
  InsertQ.cpp InsertQ.h
  CopyRnge.cpp CopyRnge.h
  InputLev2.cpp InputLev2.h
  CueDialogs.cpp CueDialogs.h
)
