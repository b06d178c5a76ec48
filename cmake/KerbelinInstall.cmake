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

# pkg-config: the same libraries, most dependent first, and the C++20 flag the headers need. The file
# is written at install time (cmake/KerbelinPkgConfig.cmake): only then is the prefix known, which
# `cmake --install --prefix` may change, and its folders are the ones GNUInstallDirs computed, so that
# a multiarch library folder such as lib/x86_64-linux-gnu gets the right paths.
set(pc_libs)
list(REVERSE exported)
foreach(target IN LISTS exported)
  string(APPEND pc_libs " -l$<TARGET_FILE_BASE_NAME:${target}>")
endforeach()
if(KERBELIN_SANITIZE)
  string(APPEND pc_libs " -fsanitize=address,undefined")
endif()
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/kerbelinsdk.pc.in CONTENT "prefix=@prefix@
libdir=@libdir@
includedir=@includedir@/kerbelin

Name: KerbelinSDK
Description: Prepaid service cards: the store, card detail, checkout, my cards and QR screens
Version: ${PROJECT_VERSION}
Requires: cairo nlohmann_json
Libs: -L\${libdir} -Wl,-rpath,\${libdir}${pc_libs}
Cflags: -std=c++20 -I\${includedir}/sdk -I\${includedir}/platform
")
install(CODE "set(kerbelin_pc_template \"${CMAKE_BINARY_DIR}/kerbelinsdk.pc.in\")
  set(kerbelin_libdir \"${CMAKE_INSTALL_LIBDIR}\")
  set(kerbelin_includedir \"${CMAKE_INSTALL_INCLUDEDIR}\")")
install(SCRIPT ${PROJECT_SOURCE_DIR}/cmake/KerbelinPkgConfig.cmake)

# What the README tells a host to carry in its main bundle, ready to copy or to embed.
if(EXISTS ${PROJECT_SOURCE_DIR}/tools/simulator/Resources)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/tools/simulator/Resources/
    DESTINATION ${CMAKE_INSTALL_DATADIR}/kerbelin/host-resources)
endif()
