# The version header every program prints with --version (generated from the project's VERSION).
configure_file(${CMAKE_CURRENT_LIST_DIR}/Version.h.in ${CMAKE_BINARY_DIR}/generated/LumoraVersion.h @ONLY)
target_include_directories(lumora_core PUBLIC ${CMAKE_BINARY_DIR}/generated)
