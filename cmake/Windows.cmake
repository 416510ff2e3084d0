# The Windows programs' resources: the icon (made from the project's PNG icons with icotool),
# the version shown in the file's properties, and the manifest. scripts/windows packs the
# programs with Qt's DLLs into the portable zip and the installer (packaging/windows).
enable_language(RC)
find_program(ICOTOOL icotool REQUIRED)
set(CLEATWORK_ICO ${CMAKE_BINARY_DIR}/packaging/cleatwork.ico)
set(icons ${PROJECT_SOURCE_DIR}/data/icons/io.github.cleatwork.Cleatwork)
add_custom_command(OUTPUT ${CLEATWORK_ICO}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND ${ICOTOOL} -c -o ${CLEATWORK_ICO} ${icons}-48.png --raw=${icons}-256.png
    DEPENDS ${icons}-48.png ${icons}-256.png
    VERBATIM)
add_custom_target(windows_icon DEPENDS ${CLEATWORK_ICO})
set(CLEATWORK_MANIFEST ${PROJECT_SOURCE_DIR}/packaging/windows/cleatwork.manifest)

function(cleatwork_resources target description)
    set(CLEATWORK_RC_NAME ${target})
    set(CLEATWORK_RC_DESCRIPTION ${description})
    set(rc ${CMAKE_BINARY_DIR}/packaging/${target}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/cleatwork.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
    set_source_files_properties(${rc} PROPERTIES
        OBJECT_DEPENDS "${CLEATWORK_ICO};${CLEATWORK_MANIFEST}")
    add_dependencies(${target} windows_icon)
endfunction()

cleatwork_resources(cleatwork-cli "Cleatwork command line")
if(TARGET cleatwork)
    set_target_properties(cleatwork PROPERTIES WIN32_EXECUTABLE ON)
    cleatwork_resources(cleatwork "Cleatwork, the football boots editor")
endif()
