# The game's library search and its readers of maps, tile sets, pictures,
# animations, character records and scripts, on arbitrary library bytes.
tovsim_fuzz(fuzz_rpg_library
  SOURCES ${CMAKE_SOURCE_DIR}/fuzz/fuzz_rpg_library.cpp
          ${CMAKE_SOURCE_DIR}/rpg/engine/game_state.cpp
          ${CMAKE_SOURCE_DIR}/rpg/engine/library.cpp
          ${CMAKE_SOURCE_DIR}/rpg/engine/picture_data.cpp
          ${CMAKE_SOURCE_DIR}/rpg/engine/effect_data.cpp
          ${CMAKE_SOURCE_DIR}/rpg/engine/map_load.cpp
          ${CMAKE_SOURCE_DIR}/rpg/engine/actor_load.cpp
          ${CMAKE_SOURCE_DIR}/rpg/engine/script_load.cpp
          ${CMAKE_SOURCE_DIR}/rpg/party/party_slots.cpp
          ${CMAKE_SOURCE_DIR}/rpg/format/library.cpp
          ${CMAKE_SOURCE_DIR}/rpg/format/map.cpp
          ${CMAKE_SOURCE_DIR}/rpg/format/picture.cpp
          ${CMAKE_SOURCE_DIR}/rpg/format/records.cpp
          ${CMAKE_SOURCE_DIR}/rpg/format/script_decode.cpp
          ${CMAKE_SOURCE_DIR}/rpg/format/tileset.cpp)
