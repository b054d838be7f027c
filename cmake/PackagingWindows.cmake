# The Windows package: `cmake --build --preset mingw-i686 --target package` leaves
# corvane-sensors-tool-<version>-win32.zip (win64 for the x86_64 build) in the build folder, with
# the executable at its top, a sample corvanetool.ini, README.txt, and our simulated phone in a
# subfolder `simulator/`, so that it never lies beside the executable under the maker's library's
# name (the simulator's own install rule puts it there).

# Text files with the line ends of the platform.
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/corvanetool.ini
               ${PROJECT_BINARY_DIR}/package/corvanetool.ini @ONLY NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/package/corvanetool.ini DESTINATION . COMPONENT tool)
set(CORVANE_VERSION ${PROJECT_VERSION})
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt
               ${PROJECT_BINARY_DIR}/package/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/package/README.txt DESTINATION . COMPONENT tool)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(_corvane_package_system win32)
else()
    set(_corvane_package_system win64)
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME corvane-sensors-tool)
set(CPACK_PACKAGE_VENDOR "Corvane")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME "corvane-sensors-tool-${PROJECT_VERSION}-${_corvane_package_system}")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
set(CPACK_COMPONENTS_ALL tool simulator Unspecified)
set(CPACK_STRIP_FILES ON)
include(CPack)
