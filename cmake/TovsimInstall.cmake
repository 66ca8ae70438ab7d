# Installing: the run tree under <prefix>/lib/tovsim with its relative layout
# kept (the host finds ../Lcd, ../Snd, ../dat.lib, ../AppEntry and ../Games
# from its own folder, which it reads through /proc/self/exe, so a link to it
# works), bin/tovsim a link to that host, the tools in bin/, a desktop entry
# and an icon. CPack makes a Debian package of it (cpack -G DEB in the build
# folder); its dependencies are the libraries the programs link, found by
# dpkg-shlibdeps, and the data packages they read at run time.
include(GNUInstallDirs)

set(tree lib/tovsim)
install(DIRECTORY ${TOVSIM_RUN_TREE}/ DESTINATION ${tree} USE_SOURCE_PERMISSIONS
        PATTERN Save EXCLUDE PATTERN Sim.ini EXCLUDE)
# An empty Save/: the build's saved games stay behind. (An installed tree is
# not writable by its users; the host then saves under their data folder.)
install(DIRECTORY DESTINATION ${tree}/Save)
install(TARGETS datlib respack simctl sndgen RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# bin/tovsim: a relative link, so the installed tree can move as a whole.
file(RELATIVE_PATH host_link /${CMAKE_INSTALL_BINDIR} /${tree}/bin/tovsim)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install)
file(CREATE_LINK ${host_link} ${CMAKE_BINARY_DIR}/install/tovsim SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/install/tovsim DESTINATION ${CMAKE_INSTALL_BINDIR})

# The desktop entry, and the Desktop's own application icon as the program's.
set(icon ${CMAKE_BINARY_DIR}/install/tovsim.png)
add_custom_command(OUTPUT ${icon}
  COMMAND respack convert ${PROJECT_SOURCE_DIR}/AppEntry/art/icon1.txt -o ${icon}
  DEPENDS respack ${PROJECT_SOURCE_DIR}/AppEntry/art/icon1.txt
  COMMENT "Converting the program's icon")
add_custom_target(install_icon ALL DEPENDS ${icon})
install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
install(FILES ${PROJECT_SOURCE_DIR}/cmake/install/tovsim.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tovsim)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Simulator of a small handheld game device, with its games")
set(CPACK_PACKAGE_CONTACT "tovsim developers <tovsim@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the programs read at run time: the fonts, the soundfont.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-arphic-uming, fonts-arphic-ukai, fonts-wqy-zenhei, timgm6mb-soundfont")
include(CPack)
