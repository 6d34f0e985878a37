# Stand-in package for the cross build: Debian's header-only library, found
# through -idirafter so that mingw's own C and C++ headers keep precedence
# over the build machine's in /usr/include.
if(NOT TARGET nlohmann_json::nlohmann_json)
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
    INTERFACE_COMPILE_OPTIONS "-idirafter;/usr/include")
endif()
set(nlohmann_json_FOUND TRUE)
