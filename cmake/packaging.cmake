# What `make dist` packs with CPack: from a native build, a .deb for Debian and Ubuntu with the
# window, the command-line program where it is built, the desktop entry and the icon; from the
# windows preset's build, a .zip with THLD.exe, tallyhold.exe where it is built, and the README.
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME tallyhold)
set(CPACK_PACKAGE_VENDOR Brightwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Brightwick <tallyhold@brightwick.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keeps or deletes the packages in Unreal Tournament's download cache")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Tallyhold shows the download cache of Unreal Tournament (1999): each cached package with its kind, "
    "size and the cached packages it requires. It deletes ticked packages, or makes them permanent by "
    "moving them with what they require into the game's Maps, System or Textures folder under their "
    "real names, keeping cache.ini in step.")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  if(TARGET THLD)
    install(TARGETS THLD RUNTIME DESTINATION .)
  endif()
  if(TARGET tallyhold)
    install(TARGETS tallyhold RUNTIME DESTINATION .)
  endif()
  install(FILES README.md DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME tallyhold-${PROJECT_VERSION}-windows-x64)
else()
  if(TARGET tallyhold-window)
    install(TARGETS tallyhold-window RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} BUNDLE DESTINATION .)
    if(NOT APPLE)
      install(FILES ${THLD_QT_DESKTOP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
      foreach(size IN LISTS THLD_ICON_SIZES)
        install(FILES ${THLD_QT_ICON_DIR}/tallyhold-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME tallyhold.png)
      endforeach()
    endif()
  endif()
  if(TARGET tallyhold)
    install(TARGETS tallyhold RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
  install(FILES README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tallyhold)
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # tallyhold_<version>_<architecture>.deb
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.brightwick.example/")
  # The libraries from what the programs link; the window also needs Qt's platform plugins, and
  # takes the desktop's look from its theme plugin where there is one.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-gtk-platformtheme")
endif()

# What the packages hold, and nothing else, is built by this target (the tests need not be).
add_custom_target(thld_packaged)
foreach(program THLD tallyhold tallyhold-window)
  if(TARGET ${program})
    add_dependencies(thld_packaged ${program})
  endif()
endforeach()
# CPack then installs without building everything first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

include(CPack)
