# The installed package: one CMake package (KerbelinSDK::KerbelinSDK and the platform targets it
# carries), a pkg-config file, the host developer's tools and the resources a host must ship.
include(CMakePackageConfigHelpers)

# Headers that only the platform's own sources include: they name Pango, ICU and other private
# libraries, which a host neither needs nor is asked to find.
set(kerbelin_private_headers
  CoreText/TextLayoutImpl.h CoreText/PangoFontDescription.h CoreText/PangoFontSystem.h
  Foundation/IcuDateSupport.h)

get_property(exported GLOBAL PROPERTY KERBELIN_EXPORTED_TARGETS)
if(NOT exported)
  return()
endif()
set(kerbelin_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/KerbelinSDK)

# What `make install` builds before it installs: the libraries and the tools, no test or benchmark.
add_custom_target(kerbelin_installed)
add_dependencies(kerbelin_installed ${exported})
foreach(tool IN ITEMS kerbelin-backend kerbelin-sim kerbelin-nibcheck)
  if(TARGET ${tool})
    add_dependencies(kerbelin_installed ${tool})
  endif()
endforeach()

install(TARGETS ${exported} EXPORT KerbelinSDKTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
set(header_excludes)
foreach(header IN LISTS kerbelin_private_headers)
  list(APPEND header_excludes PATTERN ${header} EXCLUDE)
endforeach()
set(kerbelin_include_dir ${CMAKE_INSTALL_INCLUDEDIR}/kerbelin)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/platform/ DESTINATION ${kerbelin_include_dir}/platform
  FILES_MATCHING PATTERN "*.h" ${header_excludes})
if(EXISTS ${PROJECT_SOURCE_DIR}/sdk)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/sdk/ DESTINATION ${kerbelin_include_dir}/sdk
    FILES_MATCHING PATTERN "*.h")
  install(FILES ${CMAKE_BINARY_DIR}/sdk/KerbelinVersion.h DESTINATION ${kerbelin_include_dir}/sdk)
endif()
install(EXPORT KerbelinSDKTargets NAMESPACE KerbelinSDK:: DESTINATION ${kerbelin_cmake_dir})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/KerbelinSDKConfig.cmake.in
  ${CMAKE_BINARY_DIR}/KerbelinSDKConfig.cmake
  INSTALL_DESTINATION ${kerbelin_cmake_dir}
  PATH_VARS CMAKE_INSTALL_DATADIR)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/KerbelinSDKConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/KerbelinSDKConfig.cmake
  ${CMAKE_BINARY_DIR}/KerbelinSDKConfigVersion.cmake
  ${PROJECT_SOURCE_DIR}/cmake/KerbelinResources.cmake
  ${PROJECT_SOURCE_DIR}/cmake/kerbelin_embed_resources.py
  DESTINATION ${kerbelin_cmake_dir})

# pkg-config: in `Libs` only the libraries a host calls (the SDK and the platform frameworks the host
# steps of the README use); the SDK finds the rest itself, so they are only `Libs.private`. No `-std`
# flag: the headers need C++20 or later and the host picks which. The file is written at install time
# (cmake/KerbelinPkgConfig.cmake): only then is the prefix known, which `cmake --install --prefix` may
# change, and its folders are the ones GNUInstallDirs computed, so that a multiarch library folder
# such as lib/x86_64-linux-gnu gets the right paths. A run path is added there only for a library
# folder the linker does not search by default.
set(kerbelin_host_libs KerbelinSDK ios_uikit ios_quartzcore ios_coregraphics ios_network ios_foundation)
set(pc_libs)
set(pc_private_libs)
list(REVERSE exported)
foreach(target IN LISTS exported)
  if(target IN_LIST kerbelin_host_libs)
    string(APPEND pc_libs " -l$<TARGET_FILE_BASE_NAME:${target}>")
  else()
    string(APPEND pc_private_libs " -l$<TARGET_FILE_BASE_NAME:${target}>")
  endif()
endforeach()
if(KERBELIN_SANITIZE)
  string(APPEND pc_libs " -fsanitize=address,undefined")
endif()
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/kerbelinsdk.pc.in CONTENT "prefix=@prefix@
libdir=@libdir@
includedir=@includedir@/kerbelin
datadir=@datadir@
hostresourcesdir=\${datadir}/kerbelin/host-resources

Name: KerbelinSDK
Description: Prepaid service cards: the store, card detail, checkout, my cards and QR screens
Version: ${PROJECT_VERSION}
Requires: cairo nlohmann_json
Libs: -L\${libdir}@pc_rpath@${pc_libs}
Libs.private:${pc_private_libs}
Cflags: -I\${includedir}/sdk -I\${includedir}/platform
")
install(CODE "set(kerbelin_pc_template \"${CMAKE_BINARY_DIR}/kerbelinsdk.pc.in\")
  set(kerbelin_libdir \"${CMAKE_INSTALL_LIBDIR}\")
  set(kerbelin_includedir \"${CMAKE_INSTALL_INCLUDEDIR}\")
  set(kerbelin_datadir \"${CMAKE_INSTALL_DATADIR}\")
  set(kerbelin_system_libdirs \"${CMAKE_PLATFORM_IMPLICIT_LINK_DIRECTORIES};${CMAKE_CXX_IMPLICIT_LINK_DIRECTORIES}\")")
install(SCRIPT ${PROJECT_SOURCE_DIR}/cmake/KerbelinPkgConfig.cmake)

# What the README tells a host to carry in its main bundle, ready to copy or to embed.
if(EXISTS ${PROJECT_SOURCE_DIR}/tools/simulator/Resources)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/tools/simulator/Resources/
    DESTINATION ${CMAKE_INSTALL_DATADIR}/kerbelin/host-resources)
endif()

# For a host built with AddressSanitizer: what LeakSanitizer must not count against it at exit.
install(FILES ${PROJECT_SOURCE_DIR}/cmake/lsan.supp DESTINATION ${CMAKE_INSTALL_DATADIR}/kerbelin)
# The documents the installed tools' --help points to.
install(FILES ${PROJECT_SOURCE_DIR}/docs/SIMULATOR.md ${PROJECT_SOURCE_DIR}/docs/PROTOCOL.md
              ${PROJECT_SOURCE_DIR}/docs/INTERFACE_FILES.md
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/kerbelin)
