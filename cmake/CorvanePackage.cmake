# Installation and the Debian package. `cmake --install` puts the executables (the window and
# corvane-cli with its manual page), the desktop entry,
# the icon and the AppStream metainfo under the prefix; `cpack -G DEB` (make package) packs the
# same files for /usr. The version is the project version; Depends come from dpkg-shlibdeps plus
# what the program loads at run time without linking it.

include(GNUInstallDirs)

set(CORVANE_APP_ID org.corvane.corvane)
configure_file(${PROJECT_SOURCE_DIR}/data/${CORVANE_APP_ID}.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/${CORVANE_APP_ID}.metainfo.xml @ONLY)

install(TARGETS corvane corvane-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The command line's manual page, compressed as Debian's policy has it (gzip -9n: no name, no time).
add_custom_command(
  OUTPUT ${PROJECT_BINARY_DIR}/corvane-cli.1.gz
  COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/data/corvane-cli.1 > ${PROJECT_BINARY_DIR}/corvane-cli.1.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/data/corvane-cli.1
  COMMENT "Compressing the manual page of corvane-cli")
add_custom_target(corvane_cli_manual ALL DEPENDS ${PROJECT_BINARY_DIR}/corvane-cli.1.gz)
install(FILES ${PROJECT_BINARY_DIR}/corvane-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES data/corvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/corvane.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Bitmaps of the icon for the menus and software centres that want them, drawn from the SVG at build time.
set(CORVANE_ICON_SIZES 16 24 32 48 64 128 256)
add_executable(render_icon tools/render_icon.cpp)
target_link_libraries(render_icon PRIVATE Qt6::Gui corvane_warnings)
set(icon_dir ${PROJECT_BINARY_DIR}/icons)
set(icon_pngs)
foreach(size ${CORVANE_ICON_SIZES})
  list(APPEND icon_pngs ${icon_dir}/${size}x${size}/apps/corvane.png)
endforeach()
add_custom_command(
  OUTPUT ${icon_pngs}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:render_icon> ${PROJECT_SOURCE_DIR}/data/corvane.svg ${icon_dir} ${CORVANE_ICON_SIZES}
  DEPENDS render_icon ${PROJECT_SOURCE_DIR}/data/corvane.svg
  COMMENT "Rendering the icon as PNG files")
add_custom_target(corvane_icon_pngs ALL DEPENDS ${icon_pngs})
install(DIRECTORY ${icon_dir}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${PROJECT_BINARY_DIR}/${CORVANE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_PACKAGE_CONTACT "Corvane developers <maintainers@users.noreply.c-seed-556a5c1b.example>")

# The manual page and the Debian changelog carry the project version and its release date; both
# are written at configure time and compressed as Debian's tools compress them (best compression,
# no name or time stamp in the gzip header, so that a rebuild gives the same bytes).
execute_process(COMMAND date -u -R -d "${CORVANE_RELEASE_DATE}" OUTPUT_VARIABLE CORVANE_RELEASE_DATE_RFC2822
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(doc_dir ${PROJECT_BINARY_DIR}/doc)
configure_file(${PROJECT_SOURCE_DIR}/data/corvane.1 ${doc_dir}/corvane.1 @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/debian/changelog.in ${doc_dir}/changelog @ONLY)
set(compressed_docs)
foreach(doc corvane.1 changelog)
  add_custom_command(OUTPUT ${doc_dir}/${doc}.gz COMMAND gzip -9 -n -c ${doc_dir}/${doc} > ${doc_dir}/${doc}.gz
                     DEPENDS ${doc_dir}/${doc} VERBATIM)
  list(APPEND compressed_docs ${doc_dir}/${doc}.gz)
endforeach()
add_custom_target(corvane_docs ALL DEPENDS ${compressed_docs})
install(FILES ${doc_dir}/corvane.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# A native package (its version has no Debian revision) keeps its changelog as changelog.gz.
install(FILES ${doc_dir}/changelog.gz data/debian/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/corvane)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VENDOR "Corvane developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "simulator of reaction times under mental inhibition")
# Lines under 80 characters, as Debian's tools show them.
set(CPACK_PACKAGE_DESCRIPTION
    "Corvane explores a stochastic model of reaction times under mental\n\
inhibition. Type the six model parameters and press a button: work and\n\
distraction periods alternate until the work is done, the inhibition path\n\
is plotted and every period is logged as a line of numbers. A second chart\n\
collects the reaction times of a series beside their stationary mean.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # corvane_<version>_<architecture>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The charts draw in Liberation Sans; the window icon is an SVG read by Qt's svg image plugin.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, libqt6svg6")
# Qt's Wayland platform plugin: without it the window runs through Xwayland, and forcing Wayland
# (QT_QPA_PLATFORM=wayland) fails to find the plugin.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
