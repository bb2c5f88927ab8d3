# Install rules: headers under include/mivo/, the libraries under lib/, a
# relocatable CMake package (find_package(mivo CONFIG) gives mivo::mivo and,
# when the Qt adapter was built, mivo::qt) and pkg-config files mivo.pc and
# mivo-qt.pc.
include(CMakePackageConfigHelpers)

set(MIVO_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/mivo)
set(MIVO_PKGCONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(FILES ${PROJECT_SOURCE_DIR}/src/mivo/platform/export.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/mivo/platform)
install(TARGETS mivo EXPORT mivoTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(EXPORT mivoTargets NAMESPACE mivo:: DESTINATION ${MIVO_CMAKE_DIR})

set(MIVO_HAVE_QT OFF)
if(TARGET mivo_qt)
  set(MIVO_HAVE_QT ON)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/mivo/qt/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/mivo/qt
    FILES_MATCHING PATTERN "*.h" PATTERN "*_internal.h" EXCLUDE)
  install(TARGETS mivo_qt EXPORT mivoQtTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(EXPORT mivoQtTargets NAMESPACE mivo:: DESTINATION ${MIVO_CMAKE_DIR})
endif()

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/mivoConfig.cmake.in
  ${PROJECT_BINARY_DIR}/package/mivoConfig.cmake
  INSTALL_DESTINATION ${MIVO_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/package/mivoConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/package/mivoConfig.cmake
  ${PROJECT_BINARY_DIR}/package/mivoConfigVersion.cmake
  DESTINATION ${MIVO_CMAKE_DIR})

# pkg-config: a static archive needs its dependencies on every link line, a
# shared library only when linking statically.
if(BUILD_SHARED_LIBS)
  set(MIVO_PC_REQUIRES "nlohmann_json")
  set(MIVO_PC_REQUIRES_PRIVATE "freetype2 fontconfig libpng cairo cairo-ft")
else()
  set(MIVO_PC_REQUIRES "nlohmann_json freetype2 fontconfig libpng cairo cairo-ft")
  set(MIVO_PC_REQUIRES_PRIVATE "")
endif()
# Paths relative to the .pc file keep the installed tree relocatable.
file(RELATIVE_PATH MIVO_PC_TO_PREFIX
  ${CMAKE_INSTALL_PREFIX}/${MIVO_PKGCONFIG_DIR} ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" MIVO_PC_TO_PREFIX "${MIVO_PC_TO_PREFIX}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/mivo.pc.in ${PROJECT_BINARY_DIR}/package/mivo.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/package/mivo.pc DESTINATION ${MIVO_PKGCONFIG_DIR})
if(MIVO_HAVE_QT)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/mivo-qt.pc.in ${PROJECT_BINARY_DIR}/package/mivo-qt.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/package/mivo-qt.pc DESTINATION ${MIVO_PKGCONFIG_DIR})
endif()
