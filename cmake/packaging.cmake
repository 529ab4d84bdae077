# What `make dist` packs with CPack: from a native build, a .deb for Debian and Ubuntu with the
# window, the command-line program where it is built, their manual pages and shell completions, the
# desktop entry, icons, AppStream metainfo with its screenshots, and the README with docs/;
# from the windows preset's build, a .zip and an NSIS installer with THLD.exe, tallyhold.exe where
# it is built, a short README.txt for players and the licence.
include(GNUInstallDirs)

# Who makes the packages and where to read about them: the publisher and the version come from
# src/commands/program_info.h (cmake/program_info.cmake), as the programs' own version information.
set(THLD_CONTACT_ADDRESS "tallyhold@users.noreply.example")
set(THLD_MAINTAINER "${THLD_MAKER} <${THLD_CONTACT_ADDRESS}>")
set(THLD_HOMEPAGE "https://tallyhold.example/")
set(THLD_APPSTREAM_ID "example.tallyhold.tallyhold")

set(THLD_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(THLD_PACKAGED_DIR ${PROJECT_BINARY_DIR}/packaged)
file(MAKE_DIRECTORY ${THLD_PACKAGED_DIR})

set(CPACK_PACKAGE_NAME tallyhold)
set(CPACK_PACKAGE_VENDOR "${THLD_MAKER}")
set(CPACK_THLD_PRODUCT_NAME "${THLD_PRODUCT_NAME}")  # for the installer's version information
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${THLD_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keeps or deletes the packages in Unreal Tournament's download cache")
# The lines of the long description, each within 80 columns.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Tallyhold shows the download cache of Unreal Tournament (1999): each cached\n"
    "package with its kind, size and the cached packages it requires. It deletes\n"
    "ticked packages, or makes them permanent by moving them with what they\n"
    "require into the game's Maps, System or Textures folder under their real\n"
    "names, keeping cache.ini in step.\n"
    ".\n"
    "The package holds the window, tallyhold-window, and the command-line\n"
    "program tallyhold.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

# A text file of the repository with CR LF line ends, for Windows.
function(thld_windows_text source target)
  file(READ ${source} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${target} "${text}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endfunction()

if(WIN32)
  if(TARGET THLD)
    install(TARGETS THLD RUNTIME DESTINATION .)
  endif()
  if(TARGET tallyhold)
    install(TARGETS tallyhold RUNTIME DESTINATION .)
  endif()
  # The players' README (not the repository's, which is for developers too) and the licence.
  configure_file(${THLD_PACKAGING_DIR}/windows/README.txt.in ${THLD_PACKAGED_DIR}/README-players.txt @ONLY)
  thld_windows_text(${THLD_PACKAGED_DIR}/README-players.txt ${THLD_PACKAGED_DIR}/README.txt)
  thld_windows_text(${PROJECT_SOURCE_DIR}/LICENSE ${THLD_PACKAGED_DIR}/LICENSE.txt)
  install(FILES ${THLD_PACKAGED_DIR}/README.txt ${THLD_PACKAGED_DIR}/LICENSE.txt DESTINATION .)
  set(CPACK_GENERATOR "ZIP;NSIS")
  set(CPACK_PACKAGE_FILE_NAME tallyhold-${PROJECT_VERSION}-windows-x64)
  # The installer's own script (per-user, shortcuts, PATH as an option): packaging/windows.
  list(PREPEND CMAKE_MODULE_PATH ${THLD_PACKAGING_DIR}/windows)
  set(CPACK_NSIS_DISPLAY_NAME "${THLD_PRODUCT_NAME} ${PROJECT_VERSION}")
  # The picture beside the welcome and finish pages: the program's own (make-art.sh draws it).
  set(CPACK_NSIS_MUI_WELCOMEFINISHPAGE_BITMAP ${PROJECT_SOURCE_DIR}/src/win32/res/installer-welcome.bmp)
  set(CPACK_NSIS_MUI_UNWELCOMEFINISHPAGE_BITMAP ${PROJECT_SOURCE_DIR}/src/win32/res/installer-welcome.bmp)
  set(CPACK_NSIS_URL_INFO_ABOUT "${THLD_HOMEPAGE}")
  set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/src/win32/res/thld.ico)
  set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/src/win32/res/thld.ico)
else()
  if(TARGET tallyhold-window)
    install(TARGETS tallyhold-window RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} BUNDLE DESTINATION .)
    if(NOT APPLE)
      install(FILES ${THLD_QT_DESKTOP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
      foreach(size IN LISTS THLD_ICON_SIZES)
        install(FILES ${THLD_QT_ICON_DIR}/tallyhold-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME tallyhold.png)
      endforeach()
      # The 24 px picture is drawn with the Windows icon's (src/win32/res/make-art.sh).
      install(FILES ${THLD_PACKAGING_DIR}/icons/tallyhold-24.png
              DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/24x24/apps RENAME tallyhold.png)
      install(FILES ${THLD_QT_ICON_DIR}/tallyhold.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
      configure_file(${THLD_PACKAGING_DIR}/tallyhold.metainfo.xml.in
                     ${THLD_PACKAGED_DIR}/${THLD_APPSTREAM_ID}.metainfo.xml @ONLY)
      install(FILES ${THLD_PACKAGED_DIR}/${THLD_APPSTREAM_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
      # The screenshots the metainfo names, as the homepage serves them.
      install(FILES ${PROJECT_SOURCE_DIR}/docs/tallyhold-window.png ${PROJECT_SOURCE_DIR}/docs/tallyhold-window-dark.png
              DESTINATION ${CMAKE_INSTALL_DATADIR}/tallyhold/screenshots)
    endif()
  endif()
  if(TARGET tallyhold)
    install(TARGETS tallyhold RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${THLD_PACKAGING_DIR}/completions/tallyhold.bash
            DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tallyhold)
    install(FILES ${THLD_PACKAGING_DIR}/completions/_tallyhold DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
    install(FILES ${THLD_PACKAGING_DIR}/completions/tallyhold.fish
            DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)
  endif()

  # The manual pages, from their scdoc sources, compressed as Debian keeps them.
  find_program(THLD_SCDOC scdoc)
  set(THLD_MAN_PAGES)
  if(THLD_SCDOC)
    foreach(program tallyhold tallyhold-window)
      if(TARGET ${program})
        set(page ${THLD_PACKAGED_DIR}/${program}.1.gz)
        add_custom_command(OUTPUT ${page}
          COMMAND sh -c "${THLD_SCDOC} < '${THLD_PACKAGING_DIR}/man/${program}.1.scd' | gzip -9n > '${page}'"
          DEPENDS ${THLD_PACKAGING_DIR}/man/${program}.1.scd VERBATIM)
        list(APPEND THLD_MAN_PAGES ${page})
      endif()
    endforeach()
    install(FILES ${THLD_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  else()
    message(STATUS "scdoc not found: the packages hold no manual pages")
  endif()

  # The copyright file and the changelog Debian asks for, with the maintainer filled in.
  configure_file(${THLD_PACKAGING_DIR}/debian/copyright.in ${THLD_PACKAGED_DIR}/copyright @ONLY)
  configure_file(${THLD_PACKAGING_DIR}/debian/changelog.in ${THLD_PACKAGED_DIR}/changelog @ONLY)
  add_custom_command(OUTPUT ${THLD_PACKAGED_DIR}/changelog.gz
    COMMAND gzip -9nc ${THLD_PACKAGED_DIR}/changelog > ${THLD_PACKAGED_DIR}/changelog.gz
    DEPENDS ${THLD_PACKAGED_DIR}/changelog)
  set(THLD_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tallyhold)
  install(FILES README.md ${THLD_PACKAGED_DIR}/copyright ${THLD_PACKAGED_DIR}/changelog.gz DESTINATION ${THLD_DOC_DIR})
  # docs/ beside the README, as in the repository: the README links docs/NAME.md and docs/NAME.png,
  # the documents in docs/ link each other, their pictures beside them and ../README.md, so that
  # every link holds in /usr/share/doc/tallyhold/ too.
  file(GLOB THLD_USER_DOCS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/*.md ${PROJECT_SOURCE_DIR}/docs/*.png)
  install(FILES ${THLD_USER_DOCS} DESTINATION ${THLD_DOC_DIR}/docs)
  install(FILES ${THLD_PACKAGING_DIR}/debian/lintian-overrides
          DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME tallyhold)
  add_custom_target(thld_packaged_docs DEPENDS ${THLD_MAN_PAGES} ${THLD_PACKAGED_DIR}/changelog.gz)

  # Symbols, notes and the compiler's comment go, as Debian's own packages strip them.
  find_program(THLD_STRIP NAMES strip)
  if(THLD_STRIP)
    install(CODE "
      foreach(program tallyhold tallyhold-window)
        set(file \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\")
        if(EXISTS \"\${file}\")
          execute_process(COMMAND ${THLD_STRIP} --remove-section=.comment --remove-section=.note --strip-unneeded \"\${file}\")
        endif()
      endforeach()")
  endif()

  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # tallyhold_<version>_<architecture>.deb
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${THLD_HOMEPAGE}")
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${THLD_MAINTAINER}")
  # The libraries from what the programs link (Qt 6, and yaml-cpp, which reads Lutris's files:
  # libyaml-cpp0.7); the window also needs Qt's platform plugins. The
  # desktop's GTK look is offered, not pulled in: it brings GTK and Mesa with it.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-gtk-platformtheme")
  # Directories 0755 and files 0644 whatever the umask of the build.
  set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                  WORLD_READ WORLD_EXECUTE)
endif()

# What the packages hold, and nothing else, is built by this target (the tests need not be).
add_custom_target(thld_packaged)
foreach(program THLD tallyhold tallyhold-window thld_packaged_docs)
  if(TARGET ${program})
    add_dependencies(thld_packaged ${program})
  endif()
endforeach()
# CPack then installs without building everything first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

include(CPack)
