# The engine as an installable library for C++ hosts on Linux: the static
# library, the headers that a host includes (in their source layout, so that
# their own includes resolve), the talmiron command and its manual page, a
# CMake package giving TALMIRON::talmiron and a pkg-config file; cpack makes
# a Debian package of it all.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(TALMIRON_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/talmiron)
set(TALMIRON_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/TALMIRON)

set_target_properties(talmiron_core PROPERTIES OUTPUT_NAME talmiron EXPORT_NAME talmiron)
target_include_directories(talmiron_core INTERFACE
    $<INSTALL_INTERFACE:${TALMIRON_INSTALL_INCLUDEDIR}>)
install(TARGETS talmiron_core EXPORT TALMIRONTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS talmiron RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES docs/talmiron.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Expression, Symbols, Symbol, the states and data types, and what those
# headers include.
foreach(header component/expression.h component/symbols.h component/symbol.h
               engine/evaluation_states.h runtime/text.h)
    get_filename_component(folder ${header} DIRECTORY)
    install(FILES ${header} DESTINATION ${TALMIRON_INSTALL_INCLUDEDIR}/${folder})
endforeach()

install(EXPORT TALMIRONTargets NAMESPACE TALMIRON:: DESTINATION ${TALMIRON_INSTALL_CMAKEDIR})
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/TALMIRONConfig.cmake
     "include(\${CMAKE_CURRENT_LIST_DIR}/TALMIRONTargets.cmake)\n")
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/TALMIRONConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/TALMIRONConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/TALMIRONConfigVersion.cmake
        DESTINATION ${TALMIRON_INSTALL_CMAKEDIR})

# Relative to the file itself, so that the installed tree can move.
file(RELATIVE_PATH TALMIRON_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/talmiron.pc CONTENT [[
prefix=${pcfiledir}/@TALMIRON_PC_TO_PREFIX@
libdir=${prefix}/@CMAKE_INSTALL_LIBDIR@
includedir=${prefix}/@TALMIRON_INSTALL_INCLUDEDIR@

Name: TALMIRON
Description: Expression evaluator engine
Version: @PROJECT_VERSION@
Cflags: -std=c++20 -I${includedir}
Libs: -L${libdir} -ltalmiron
]] @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/talmiron.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

set(CPACK_PACKAGE_NAME talmiron)
set(CPACK_PACKAGE_VENDOR Korvane)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Expression evaluator: library, headers and command")
set(CPACK_PACKAGE_CONTACT "Korvane <talmiron@korvane.invalid>")
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
