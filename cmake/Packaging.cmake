# Install rules for the desktop integration and the Debian packages built by CPack.
#
# Two packages come out of `cmake --build <dir> --target package` (or `cpack -G DEB` there):
#   corvane-sensors-tool            the tool, its icon and its desktop entry
#   corvane-sensors-tool-simulator  the simulated service library, in the tool's private folder
# The installed tool finds the simulator through its run path
# ($ORIGIN/../${CMAKE_INSTALL_LIBDIR}/corvane-sensors-tool), so both must use one install prefix;
# CPack installs both under /usr.

install(FILES ${PROJECT_SOURCE_DIR}/packaging/corvane-sensors-tool.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        COMPONENT tool)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/corvane-sensors-tool.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        COMPONENT tool)

set(CORVANE_PACKAGE_MAINTAINER "Corvane Sensors Tool maintainers <sensors-tool@corvane.example>"
    CACHE STRING "Maintainer field of the Debian packages")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane-sensors-tool)
set(CPACK_PACKAGE_VENDOR "Corvane")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${CORVANE_PACKAGE_MAINTAINER}")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CORVANE_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies come from dpkg-shlibdeps (needs the `file` program and dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

# Install rules without a component (the executable's) belong to the tool's package: the group
# "tool" packs the components "tool" and "Unspecified" together, "simulator" packs alone.
include(CPackComponent)
cpack_add_component_group(tool)
cpack_add_component_group(simulator)
cpack_add_component(tool GROUP tool)
cpack_add_component(simulator GROUP simulator)
get_cmake_property(_corvane_install_components COMPONENTS)
set(CPACK_COMPONENTS_ALL tool simulator)
if("Unspecified" IN_LIST _corvane_install_components)
    cpack_add_component(Unspecified GROUP tool)
    list(APPEND CPACK_COMPONENTS_ALL Unspecified)
endif()
set(CPACK_COMPONENTS_GROUPING ONE_PER_GROUP)

# Each package has its own description: the first line is its summary, an empty line starts a
# paragraph. CPACK_PACKAGE_DESCRIPTION_SUMMARY stays unset: CPack would put it in front of both.
set(CPACK_DEBIAN_TOOL_PACKAGE_NAME corvane-sensors-tool)
# Arial in the window resolves to Liberation Sans only when these fonts are present.
set(CPACK_DEBIAN_TOOL_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_TOOL_PACKAGE_RECOMMENDS "corvane-sensors-tool-simulator")
set(CPACK_DEBIAN_TOOL_DESCRIPTION
    "Service tool for the sensors of a phone on a serial port
Corvane Sensors Tool brings a mobile phone attached to a serial port into
service mode through the phone maker's service library Bfb95eg.dll, shows the
phone's identification, watches six sensor values (three battery voltages and
the battery, environment and VCXO temperatures), and reads, edits, writes and
saves the phone's 20-byte sensor calibration block.

The tool reads corvanetool.ini from its working folder and writes its run log
there. Install corvane-sensors-tool-simulator to use it without a phone.")

set(CPACK_DEBIAN_SIMULATOR_PACKAGE_NAME corvane-sensors-tool-simulator)
set(CPACK_DEBIAN_SIMULATOR_DESCRIPTION
    "Simulated phone service library for Corvane Sensors Tool
A stand-in for the phone maker's service library Bfb95eg.dll that simulates
one phone on one serial port, so that Corvane Sensors Tool can be learnt,
demonstrated and tested without a phone. No serial port or device is touched.
Scenario files (CORVANE_SIM_SCENARIO) set the phone's behaviour, and a call
journal (CORVANE_SIM_JOURNAL) records every call the tool makes.")

# A source package holds the tree without build folders and version-control data.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/" "/out/" "\\\\.swp$")

include(CPack)
