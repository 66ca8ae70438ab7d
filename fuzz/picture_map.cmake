# Picture and map readers of the data library and their source parsers.
pkg_check_modules(FUZZ_PNG REQUIRED IMPORTED_TARGET libpng)
find_package(nlohmann_json REQUIRED)
tovsim_fuzz(fuzz_picture_map
  SOURCES ${CMAKE_SOURCE_DIR}/fuzz/fuzz_picture_map.cpp
          ${CMAKE_SOURCE_DIR}/rpg/format/map.cpp
          ${CMAKE_SOURCE_DIR}/rpg/format/picture.cpp
          ${CMAKE_SOURCE_DIR}/rpg/format/tileset.cpp
          ${CMAKE_SOURCE_DIR}/tools/datlib/source_text.cpp ${CMAKE_SOURCE_DIR}/platform/sys/gb2312.cpp
          ${CMAKE_SOURCE_DIR}/tools/datlib/map_src.cpp
          ${CMAKE_SOURCE_DIR}/tools/datlib/map_src_json.cpp
          ${CMAKE_SOURCE_DIR}/tools/datlib/map_src_write.cpp
          ${CMAKE_SOURCE_DIR}/tools/datlib/picture_png.cpp ${CMAKE_SOURCE_DIR}/platform/gdi/png.cpp
          ${CMAKE_SOURCE_DIR}/tools/datlib/picture_src.cpp
          ${CMAKE_SOURCE_DIR}/tools/datlib/picture_src_text.cpp
          ${CMAKE_SOURCE_DIR}/tools/datlib/picture_src_use.cpp
          ${CMAKE_SOURCE_DIR}/tools/datlib/picture_src_write.cpp
          ${CMAKE_SOURCE_DIR}/tools/datlib/tileset_src.cpp
  LIBS PkgConfig::FUZZ_PNG nlohmann_json::nlohmann_json)
