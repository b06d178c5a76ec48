# Run by `cmake --install` (see KerbelinInstall.cmake): writes kerbelinsdk.pc for the prefix being
# installed to into the library folder's pkgconfig/.
#
# Every folder in it derives from `prefix`, and `prefix` from the folder pkg-config found the file in
# (`${pcfiledir}`), so a prefix copied or moved elsewhere still names its own headers and libraries.
# A system prefix (/usr) keeps its plain path instead: the linker searches its library folder already,
# and pkg-config drops the -L and -I flags of system folders only when they are spelt as such.
cmake_path(ABSOLUTE_PATH kerbelin_libdir BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE OUTPUT_VARIABLE libdir)
cmake_path(ABSOLUTE_PATH kerbelin_includedir BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE
           OUTPUT_VARIABLE includedir)
cmake_path(ABSOLUTE_PATH kerbelin_datadir BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE OUTPUT_VARIABLE datadir)
cmake_path(SET prefix NORMALIZE "${CMAKE_INSTALL_PREFIX}")
string(REGEX REPLACE "(.)/$" "\\1" prefix "${prefix}")

# A host finds the libraries of a system folder (/usr/lib/x86_64-linux-gnu) without help, and Debian's
# policy forbids a run path to one; any other prefix gets a run path, so that its hosts run as built.
set(system_prefix FALSE)
foreach(dir IN LISTS kerbelin_system_libdirs)
  cmake_path(NORMAL_PATH dir)
  string(REGEX REPLACE "(.)/$" "\\1" dir "${dir}")
  if(dir STREQUAL libdir)
    set(system_prefix TRUE)
  endif()
endforeach()
if(system_prefix)
  set(pc_rpath "")
else()
  set(pc_rpath " -Wl,-rpath,\${libdir}")
endif()

# A folder inside the prefix is named from it; one given outside it (an absolute CMAKE_INSTALL_*DIR)
# stays as it is.
function(kerbelin_pc_path var)
  cmake_path(IS_PREFIX prefix "${${var}}" NORMALIZE inside)
  if(inside)
    cmake_path(RELATIVE_PATH ${var} BASE_DIRECTORY "${prefix}" OUTPUT_VARIABLE relative)
    set(${var} "\${prefix}/${relative}" PARENT_SCOPE)
  endif()
endfunction()

cmake_path(IS_PREFIX prefix "${libdir}" NORMALIZE relocatable)
if(relocatable AND NOT system_prefix)
  cmake_path(RELATIVE_PATH prefix BASE_DIRECTORY "${libdir}/pkgconfig" OUTPUT_VARIABLE up)
  set(pc_prefix "\${pcfiledir}/${up}")
else()
  set(pc_prefix "${prefix}")
endif()
set(pc_file "$ENV{DESTDIR}${libdir}/pkgconfig/kerbelinsdk.pc")
kerbelin_pc_path(libdir)
kerbelin_pc_path(includedir)
kerbelin_pc_path(datadir)
set(prefix "${pc_prefix}")

message(STATUS "Installing: ${pc_file}")
configure_file("${kerbelin_pc_template}" "${pc_file}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${pc_file}")
