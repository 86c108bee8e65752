# Debian's hardening flags, the ones every Debian package is built with: fortified libc
# functions, the strong stack protector, read-only relocations bound at start. The
# programs parse bytes from devices and files, so every optimised build gets them, the one
# the tests run included; the sanitized build does not (fortify and the sanitizers clash),
# nor an unoptimised one (fortify needs the optimiser). dpkg-buildflags picks them, so
# they follow the distribution; optimisation and debug information stay the build type's.
option(ZINTOR_HARDEN "Build with Debian's hardening flags, from dpkg-buildflags" ON)
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT ZINTOR_HARDEN OR ZINTOR_SANITIZE)
    return()
endif()
if(NOT DPKG_BUILDFLAGS)
    message(WARNING "dpkg-buildflags not found: building without Debian's hardening flags")
    return()
endif()

set(optimised $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    # Paths stay absolute, so debuggers and compiler caches find the sources.
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env
                "DEB_BUILD_MAINT_OPTIONS=hardening=+all reproducible=-fixfilepath,-fixdebugpath"
                ${DPKG_BUILDFLAGS} --get ${kind}
        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(REMOVE_ITEM flags -g -O2)
    if(kind STREQUAL LDFLAGS)
        add_link_options("$<${optimised}:${flags}>")
    else()
        add_compile_options("$<${optimised}:${flags}>")
    endif()
    list(JOIN flags " " shown)
    message(STATUS "Hardening ${kind}: ${shown}")
endforeach()
