# Some forty programs and tests link the same large library with its debugging data; gold
# links them in about half the time of the default linker, with the same hardening.
include(CheckLinkerFlag)
if(NOT WIN32 AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    check_linker_flag(CXX -fuse-ld=gold ZINTOR_LINKS_WITH_GOLD)
    if(ZINTOR_LINKS_WITH_GOLD)
        add_link_options(-fuse-ld=gold)
    endif()
endif()
