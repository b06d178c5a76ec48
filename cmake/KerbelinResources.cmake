# kerbelin_embed_resources(TARGET <lib> BUNDLE_ID <id> DIRECTORY <dir>)
#
# Compiles every file under DIRECTORY into TARGET as an in-memory ios::Bundle registered under
# BUNDLE_ID when the target loads (ios::BundleRegistration), so that `Bundle::withIdentifier(id)`
# finds the files with no setup. Resource names are paths relative to DIRECTORY ("Nibs/Cell.nib.json");
# names starting with "." are left out. The source is generated at build time and again whenever a
# file changes; adding or removing a file re-runs the configure step (CONFIGURE_DEPENDS). A missing or
# empty DIRECTORY gives an empty bundle. Bytes become plain array initialisers, which compilers take
# in their stride for a few megabytes, unlike string literals.
set(KERBELIN_EMBED_RESOURCES_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/kerbelin_embed_resources.py)

function(kerbelin_embed_resources)
  cmake_parse_arguments(ARG "" "TARGET;BUNDLE_ID;DIRECTORY" "" ${ARGN})
  if(NOT ARG_TARGET OR NOT ARG_BUNDLE_ID OR NOT ARG_DIRECTORY)
    message(FATAL_ERROR "kerbelin_embed_resources needs TARGET, BUNDLE_ID and DIRECTORY")
  endif()
  find_package(Python3 COMPONENTS Interpreter REQUIRED)
  get_filename_component(directory ${ARG_DIRECTORY} ABSOLUTE)
  set(files)
  if(IS_DIRECTORY ${directory})
    file(GLOB_RECURSE found CONFIGURE_DEPENDS LIST_DIRECTORIES false ${directory}/*)
    foreach(path IN LISTS found)
      file(RELATIVE_PATH relative ${directory} ${path})
      if(NOT relative MATCHES "(^|/)\\.")
        list(APPEND files ${path})
      endif()
    endforeach()
    list(SORT files)
  endif()

  string(MAKE_C_IDENTIFIER "${ARG_TARGET}_${ARG_BUNDLE_ID}" stem)
  set(list_file ${CMAKE_CURRENT_BINARY_DIR}/${stem}_resources.list)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${stem}_resources.cpp)
  string(REPLACE ";" "\n" lines "${files}")
  file(CONFIGURE OUTPUT ${list_file} CONTENT "${lines}\n")
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${Python3_EXECUTABLE} ${KERBELIN_EMBED_RESOURCES_SCRIPT} --bundle-id ${ARG_BUNDLE_ID}
            --directory ${directory} --list ${list_file} --output ${output}
    DEPENDS ${KERBELIN_EMBED_RESOURCES_SCRIPT} ${list_file} ${files}
    COMMENT "Embedding resources of bundle ${ARG_BUNDLE_ID} into ${ARG_TARGET}"
    VERBATIM)
  target_sources(${ARG_TARGET} PRIVATE ${output})
endfunction()
