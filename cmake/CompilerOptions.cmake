# Warnings and sanitizers shared by every target of the project.
add_library(corvane_options INTERFACE)
target_compile_options(corvane_options INTERFACE -Wall -Wextra)
if(CORVANE_WARNINGS_AS_ERRORS)
    target_compile_options(corvane_options INTERFACE -Werror)
endif()

if(CORVANE_SANITIZE STREQUAL "asan")
    set(_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        # g++ leaves float-to-integer casts out of -fsanitize=undefined.
        list(APPEND _san -fsanitize=float-cast-overflow)
    endif()
    add_compile_options(${_san})
    add_link_options(${_san})
elseif(CORVANE_SANITIZE STREQUAL "tsan")
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
elseif(NOT CORVANE_SANITIZE STREQUAL "")
    message(FATAL_ERROR "CORVANE_SANITIZE must be empty, asan or tsan")
endif()

if(WIN32)
    # libstdc++, libgcc and winpthreads linked in: the programs and the simulator DLL then import
    # only system DLLs and run from any folder.
    add_link_options(-static)
endif()
