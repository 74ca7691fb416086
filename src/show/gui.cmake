# The Show Options dialog, a window beside the diskette model.
target_sources(lumora_gui PRIVATE DskOpt.cpp DskOpt.h)
