# Manual pages are made by help2man from each program's own --help, so they cannot drift
# from it; the sections --help leaves out (files, environment, exit status, examples) come
# from man/PROGRAM.h2m beside this file.
include(GNUInstallDirs)
find_program(HELP2MAN help2man REQUIRED)
find_program(GZIP gzip REQUIRED)

# zintor_man_page(TARGET): PROGRAM(1) for the executable TARGET, compressed and installed.
function(zintor_man_page target)
    set(include "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/man/${target}.h2m")
    set(page "${CMAKE_CURRENT_BINARY_DIR}/${target}.1")
    # Run by name from PATH, so the usage line reads as a user types it; settings paths
    # under HOME, as zintor's --help shows them, then read "~/.config/...".
    add_custom_command(
        OUTPUT "${page}.gz"
        COMMAND "${CMAKE_COMMAND}" -E env --unset=XDG_CONFIG_HOME "HOME=${CMAKE_CURRENT_BINARY_DIR}"
                "PATH=$<TARGET_FILE_DIR:${target}>:$ENV{PATH}" QT_QPA_PLATFORM=offscreen
                "${HELP2MAN}" --no-info --section=1 --version-string=${PROJECT_VERSION}
                "--include=${include}" "--output=${page}" ${target}
        COMMAND "${GZIP}" --best --no-name --force "${page}"
        DEPENDS ${target} "${include}"
        COMMENT "Making the manual page ${target}(1)"
        VERBATIM)
    add_custom_target(${target}-man ALL DEPENDS "${page}.gz")
    install(FILES "${page}.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
endfunction()
