# What a user installs: on Linux a Debian package of the Qt program with its menu entry, icon,
# metainfo, manual and copyright; on Windows a zip of oddsmith.exe and a short readme.
# `cpack` in a build directory makes the package of that build's platform.

set(CPACK_PACKAGE_NAME oddsmith)
set(CPACK_PACKAGE_VENDOR "The Oddsmith developers")
set(CPACK_PACKAGE_CONTACT "The Oddsmith developers <maintainers@oddsmith.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "odds line maker for one horse race")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(packaging ${PROJECT_SOURCE_DIR}/packaging)

if(WIN32)
  install(TARGETS oddsmith RUNTIME DESTINATION .)
  install(FILES ${packaging}/readme-windows.txt DESTINATION . RENAME readme.txt)
  # The exe is linked stripped already; it goes into the zip byte for byte as tested.
  set(CPACK_GENERATOR ZIP)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  set(CPACK_PACKAGE_FILE_NAME oddsmith-${PROJECT_VERSION}-windows-x64)
else()
  include(GNUInstallDirs)
  install(TARGETS oddsmith RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${packaging}/oddsmith.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${packaging}/io.github.oddsmith.Oddsmith.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  # The saved lines' file type, so that a file manager opens them with the program.
  install(FILES ${packaging}/oddsmith-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME oddsmith.xml)
  foreach(size 16 32 48 128 256)
    install(FILES ${packaging}/icons/oddsmith-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME oddsmith.png)
  endforeach()
  install(FILES ${packaging}/icons/oddsmith.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

  # Debian wants the manual and the changelog compressed without a time stamp.
  set(compressed ${CMAKE_BINARY_DIR}/packaging)
  file(MAKE_DIRECTORY ${compressed})
  foreach(source oddsmith.1 changelog)
    add_custom_command(OUTPUT ${compressed}/${source}.gz
      COMMAND gzip -9nc ${packaging}/${source} > ${compressed}/${source}.gz
      DEPENDS ${packaging}/${source} VERBATIM)
  endforeach()
  add_custom_target(oddsmith_package_docs ALL
    DEPENDS ${compressed}/oddsmith.1.gz ${compressed}/changelog.gz)
  install(FILES ${compressed}/oddsmith.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${compressed}/changelog.gz ${packaging}/copyright
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/oddsmith)

  set(CPACK_STRIP_FILES ON)
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # The summary above is the synopsis line; this is the long description below it.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
      "A handicapper makes the odds line for one race of up to 14 horses: the book's\ntotal and the number of horses, then each horse's share by its pool bar, by\ntyped odds such as 5-2, 9/5 or 2.5, and by locking and scratching horses.\nAfter every change the difference to the line total is spread evenly over\nthe free horses and every figure is rewritten.")
  # The libraries the binary links come from dpkg-shlibdeps; the platform plugins are loaded
  # at run time, so they are named here: without them no desktop window can open.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()

include(CPack)
