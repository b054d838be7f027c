# Running the Windows test programs under Wine. The toolchain file names the Wine loader
# (CMAKE_CROSSCOMPILING_EMULATOR: wine for i686, wine64 for x86_64); every program that CTest or
# test discovery runs goes through cmake/wine/run-under-wine.sh with it, in a Wine prefix of this
# build folder. CORVANE_WINE may name another loader (a fake one shows that the guard works).
set(CORVANE_WINE "${CMAKE_CROSSCOMPILING_EMULATOR}" CACHE STRING
    "Wine loader that runs the Windows test programs")
set(CORVANE_WINE_PREFIX "${PROJECT_BINARY_DIR}/wine-prefix" CACHE PATH
    "Wine prefix of this build, created on the first test run")
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${PROJECT_SOURCE_DIR}/cmake/wine/run-under-wine.sh ${CORVANE_WINE} ${CORVANE_WINE_PREFIX})

# Creates the prefix (once) and starts its server: what a test run does first anyway, as a step
# of its own (scripts/test.sh), so that no test or test discovery waits for it.
add_custom_target(wine_prefix
    COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --prepare
    COMMENT "Wine prefix ${CORVANE_WINE_PREFIX} and its server"
    VERBATIM)
