# The one choice of platform: BINDSMITH_PLATFORM, one of the names in
# cmake/platforms.txt. It picks the files of src/platform/ and tells the
# tests what the platform lets them do.
file(STRINGS ${CMAKE_SOURCE_DIR}/cmake/platforms.txt platform_lines REGEX "^[a-z]")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS cmake/platforms.txt)
set(BINDSMITH_PLATFORMS)
foreach(line IN LISTS platform_lines)
  string(REPLACE " " ";" words "${line}")
  list(POP_FRONT words name lint_preset)
  list(APPEND BINDSMITH_PLATFORMS ${name})
  set(capabilities_of_${name} ${words})
endforeach()

set(BINDSMITH_PLATFORM posix CACHE STRING "The platform built for: ${BINDSMITH_PLATFORMS}")
set_property(CACHE BINDSMITH_PLATFORM PROPERTY STRINGS ${BINDSMITH_PLATFORMS})
if(NOT BINDSMITH_PLATFORM IN_LIST BINDSMITH_PLATFORMS)
  message(FATAL_ERROR "BINDSMITH_PLATFORM is ${BINDSMITH_PLATFORM}, none of ${BINDSMITH_PLATFORMS}")
endif()

# What this platform lets the tests do.
set(BINDSMITH_CAPABILITIES ${capabilities_of_${BINDSMITH_PLATFORM}})
# A sanitizer's interceptors in the program come before any preloaded
# library, so the shim would see none of the calls it stands in front of.
if(CMAKE_CXX_FLAGS MATCHES "sanitize=address")
  list(REMOVE_ITEM BINDSMITH_CAPABILITIES shim)
endif()

# Each concern of src/platform/ with files per platform: this platform's
# own file, or else the posix one.
file(GLOB platform_files RELATIVE ${CMAKE_SOURCE_DIR} CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/platform/*_posix.cpp)
set(BINDSMITH_PLATFORM_SOURCES)
foreach(posix_file IN LISTS platform_files)
  string(REGEX REPLACE "_posix\\.cpp$" "_${BINDSMITH_PLATFORM}.cpp" own_file ${posix_file})
  if(EXISTS ${CMAKE_SOURCE_DIR}/${own_file})
    list(APPEND BINDSMITH_PLATFORM_SOURCES ${own_file})
  else()
    list(APPEND BINDSMITH_PLATFORM_SOURCES ${posix_file})
  endif()
endforeach()
