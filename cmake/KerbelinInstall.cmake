include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

get_property(exported GLOBAL PROPERTY KERBELIN_EXPORTED_TARGETS)
if(exported)
  install(TARGETS ${exported} EXPORT KerbelinSDKTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/platform/ DESTINATION include/kerbelin/platform
    FILES_MATCHING PATTERN "*.h")
  if(EXISTS ${PROJECT_SOURCE_DIR}/sdk)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/sdk/ DESTINATION include/kerbelin/sdk
      FILES_MATCHING PATTERN "*.h")
  endif()
  install(EXPORT KerbelinSDKTargets NAMESPACE KerbelinSDK::
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/KerbelinSDK)
  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/KerbelinSDKConfig.cmake.in
    ${CMAKE_BINARY_DIR}/KerbelinSDKConfig.cmake
    INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/KerbelinSDK)
  write_basic_package_version_file(${CMAKE_BINARY_DIR}/KerbelinSDKConfigVersion.cmake
    COMPATIBILITY SameMinorVersion)
  install(FILES ${CMAKE_BINARY_DIR}/KerbelinSDKConfig.cmake
    ${CMAKE_BINARY_DIR}/KerbelinSDKConfigVersion.cmake
    ${PROJECT_SOURCE_DIR}/cmake/KerbelinDependencies.cmake
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/KerbelinSDK)
endif()
