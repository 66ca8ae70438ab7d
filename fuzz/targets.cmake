# The fuzz targets: each is fuzz/fuzz_<name>.cpp, its entry function
# (LLVMFuzzerTestOneInput), linked with the libraries whose code it reads
# input through. Two builds use this one list: fuzz/CMakeLists.txt makes the
# libFuzzer programs, tests/fuzz_regressions/CMakeLists.txt the unit tests
# that replay the kept inputs. Each defines tovsim_fuzz_target(NAME LIBS...)
# before it includes this file.

# BMP decoding.
tovsim_fuzz_target(bmp tovsim_bmp)
# The data library reader and everything `datlib dump`, `ls` and `check` run
# on a library's bytes, all in memory.
tovsim_fuzz_target(datlib tovsim_datlib)
# Resource packages as the host opens them: directory checks, then BMP decoding.
tovsim_fuzz_target(host_package tovsim_package_format tovsim_bmp)
# Picture and map readers of the data library and their source parsers.
tovsim_fuzz_target(picture_map tovsim_datlib)
# respack's pixel-art reader.
tovsim_fuzz_target(pixel_art tovsim_respack)
# The resource package reader.
tovsim_fuzz_target(respack tovsim_package_format)
# The script assembler, disassembler and reference extractor.
tovsim_fuzz_target(script tovsim_datlib)
# Text parsers of the system services: command lines, ini files, paths,
# wildcards, GB2312.
tovsim_fuzz_target(sys_text tovsim_sys)
# sndgen's tune reader and its MIDI writer and synthesizer.
tovsim_fuzz_target(tune tovsim_sndgen)
# Frames of window messages received from other processes.
tovsim_fuzz_target(wire tovsim_win)
# The game's library search and its readers of maps, tile sets, pictures,
# animations, character records and scripts.
tovsim_fuzz_target(rpg_library tovsim_rpg_data)
# Network frames and search datagrams as the transport reads them.
tovsim_fuzz_target(net_frames tovsim_net)
# The pairs game's packets from the other machine, applied to a legal game.
tovsim_fuzz_target(pairs_packet tovsim_pairs_rules)
# The saved game's parsers and builders (main, member and parked files), the
# checks against the saves test library (built from its sources with the
# data compiler) and the apply into a state record.
tovsim_fuzz_target(save tovsim_rpg_data tovsim_datlib)
# The battle's readers of enemy records, magic lists and level tables, the
# enemy's choice and the level-up on them, and the walk of an effect's
# elements.
tovsim_fuzz_target(battle tovsim_rpg_data)
