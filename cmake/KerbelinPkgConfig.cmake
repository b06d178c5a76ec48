# Run by `cmake --install` (see KerbelinInstall.cmake): writes kerbelinsdk.pc for the prefix being
# installed to, with full paths, into the library folder's pkgconfig/.
cmake_path(ABSOLUTE_PATH kerbelin_libdir BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE OUTPUT_VARIABLE libdir)
cmake_path(ABSOLUTE_PATH kerbelin_includedir BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE
           OUTPUT_VARIABLE includedir)
set(prefix "${CMAKE_INSTALL_PREFIX}")
set(pc_file "$ENV{DESTDIR}${libdir}/pkgconfig/kerbelinsdk.pc")
message(STATUS "Installing: ${pc_file}")
configure_file("${kerbelin_pc_template}" "${pc_file}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${pc_file}")
