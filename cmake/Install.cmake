# Installation (cmake --install) and the Debian package (cpack -G DEB, see scripts/package).
include(GNUInstallDirs)

set(CLEATWORK_ID io.github.cleatwork.Cleatwork)

install(TARGETS cleatwork cleatwork-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Language/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/cleatwork/Language)
install(FILES ${PROJECT_SOURCE_DIR}/data/${CLEATWORK_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/${CLEATWORK_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/${CLEATWORK_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 256)
    install(FILES ${PROJECT_SOURCE_DIR}/data/icons/${CLEATWORK_ID}-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${CLEATWORK_ID}.png)
endforeach()

# Manual pages and the Debian changelog are installed compressed, without time stamps.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(compressed)
foreach(source docs/man/cleatwork.1 docs/man/cleatwork-cli.1 packaging/changelog)
    get_filename_component(name ${source} NAME)
    set(output ${CMAKE_BINARY_DIR}/compressed/${name}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/compressed
        COMMAND ${GZIP_PROGRAM} -9nc ${PROJECT_SOURCE_DIR}/${source} > ${output}
        DEPENDS ${PROJECT_SOURCE_DIR}/${source}
        VERBATIM)
    list(APPEND compressed ${output})
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${compressed})
install(FILES ${CMAKE_BINARY_DIR}/compressed/cleatwork.1.gz
              ${CMAKE_BINARY_DIR}/compressed/cleatwork-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/compressed/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/cleatwork)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME cleatwork)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Cleatwork contributors")
set(CPACK_PACKAGE_CONTACT "Cleatwork contributors <cleatwork@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the football-boots database of a football game")
# The extended description; CPack puts the summary above it and indents it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Cleatwork opens the boots file of a football video game, lists its boots and
edits a boot's name, material, colour, manufacturer and five statistics, one
boot at a time or all boots at once. It previews each boot's texture from the
game's texture archives and saves the file back in the game's compressed form.

The package also holds cleatwork-cli, which unpacks, packs and lists the
game's files for scripts.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/cleatwork/cleatwork)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not a library, so shlibdeps cannot see it: Qt's own translations of its dialogs' texts.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
