# The script assembler, disassembler and reference extractor.
tovsim_fuzz(fuzz_script
  SOURCES ${CMAKE_SOURCE_DIR}/fuzz/fuzz_script.cpp
          ${CMAKE_SOURCE_DIR}/rpg/format/script_decode.cpp
          ${CMAKE_SOURCE_DIR}/rpg/format/script_encode.cpp
          ${CMAKE_SOURCE_DIR}/rpg/format/operand_refs.cpp
          ${CMAKE_SOURCE_DIR}/rpg/format/script_file.cpp
          ${CMAKE_SOURCE_DIR}/tools/datlib/source_text.cpp ${CMAKE_SOURCE_DIR}/platform/sys/gb2312.cpp
          ${CMAKE_SOURCE_DIR}/tools/datlib/picture_src_text.cpp
          ${CMAKE_SOURCE_DIR}/tools/datlib/script_asm.cpp
          ${CMAKE_SOURCE_DIR}/tools/datlib/script_disasm.cpp
          ${CMAKE_SOURCE_DIR}/tools/datlib/script_lexer.cpp
          ${CMAKE_SOURCE_DIR}/tools/datlib/script_parse.cpp
          ${CMAKE_SOURCE_DIR}/tools/datlib/script_parse_commands.cpp
          ${CMAKE_SOURCE_DIR}/tools/datlib/script_parse_directives.cpp
          ${CMAKE_SOURCE_DIR}/tools/datlib/script_refs.cpp
          ${CMAKE_SOURCE_DIR}/tools/datlib/script_text.cpp)
