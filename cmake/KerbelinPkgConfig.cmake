# Run by `cmake --install` (see KerbelinInstall.cmake): writes kerbelinsdk.pc for the prefix being
# installed to, with full paths, into the library folder's pkgconfig/.
cmake_path(ABSOLUTE_PATH kerbelin_libdir BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE OUTPUT_VARIABLE libdir)
cmake_path(ABSOLUTE_PATH kerbelin_includedir BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE
           OUTPUT_VARIABLE includedir)
cmake_path(ABSOLUTE_PATH kerbelin_datadir BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE OUTPUT_VARIABLE datadir)
set(prefix "${CMAKE_INSTALL_PREFIX}")

# A host finds the libraries of a system folder (/usr/lib/x86_64-linux-gnu) without help, and Debian's
# policy forbids a run path to one; any other prefix gets a run path, so that its hosts run as built.
set(pc_rpath " -Wl,-rpath,\${libdir}")
foreach(dir IN LISTS kerbelin_system_libdirs)
  cmake_path(NORMAL_PATH dir)
  string(REGEX REPLACE "(.)/$" "\\1" dir "${dir}")
  if(dir STREQUAL libdir)
    set(pc_rpath "")
  endif()
endforeach()

set(pc_file "$ENV{DESTDIR}${libdir}/pkgconfig/kerbelinsdk.pc")
message(STATUS "Installing: ${pc_file}")
configure_file("${kerbelin_pc_template}" "${pc_file}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${pc_file}")
