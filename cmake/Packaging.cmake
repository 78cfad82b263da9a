# The system-wide layout and the Debian package (./tamsel.sh package).
#
# The program lands in /usr/bin; its data then live in the user's data folder
# (src/app/DataLocation), the manual in /usr/share/doc/tamselproposal/manual,
# where the program looks for it. The desktop entry, the icons and the
# AppStream file put it in the desktop's menu and software centre.
include(GNUInstallDirs)

set(TAMSEL_APP_ID org.tamselproposal.TamselProposal)
set(TAMSEL_PACKAGE tamselproposal)
set(pkg ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS TamselProposal RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/manual/
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${TAMSEL_PACKAGE}/manual)
install(FILES ${pkg}/${TAMSEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${pkg}/${TAMSEL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${pkg}/${TAMSEL_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)

# The PNG sizes are drawn from the one SVG, so they never drift apart.
find_program(TAMSEL_RSVG rsvg-convert REQUIRED)
set(icons)
foreach(size 16 24 32 48 64 128 256)
  set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}/${TAMSEL_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}
    COMMAND ${TAMSEL_RSVG} -w ${size} -h ${size} -o ${png} ${pkg}/${TAMSEL_APP_ID}.svg
    DEPENDS ${pkg}/${TAMSEL_APP_ID}.svg VERBATIM)
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps)
  list(APPEND icons ${png})
endforeach()
add_custom_target(tamsel_icons ALL DEPENDS ${icons})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${TAMSEL_PACKAGE})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "TamselProposal developers <developers@tamselproposal.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "write, print and keep proposals for a small contracting business")
set(CPACK_PACKAGE_DESCRIPTION
    "Tamsel Proposal writes, prints and keeps written proposals for a small contracting or service business: a customer file, proposals with line items and a payment schedule, printed on the business's own letterhead in labelled copies. Its data are kept as plain files in ~/.local/share/TamselProposal.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The Qt libraries come from the binary's own links; the rest is what it needs
# at run time: the fonts its pages are measured with, and the opener of the manual.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "firefox-esr | x-www-browser")
include(CPack)
