# The languages as data, for both builds: at configure time res/tools/languages.py reads every
# res/translations/cornerflow_<code>.ts and writes the core's table of languages and the label
# images in every language but Russian. A new or changed translation file configures again.
#   cf_generate_languages(<dir>): writes <dir>/languages_table.inc and <dir>/labels/*.svg and
#   sets CF_LANGUAGE_LABELS to the images' paths in the caller's scope.
function(cf_generate_languages dir)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  get_filename_component(root "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../.." ABSOLUTE)
  set(tool "${root}/res/tools/languages.py")
  file(GLOB inputs CONFIGURE_DEPENDS "${root}/res/translations/*.ts" "${root}/res/images/*_names.svg"
       "${root}/res/images/*_units.svg")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${inputs} "${tool}")
  foreach(what table labels)
    if(what STREQUAL table)
      set(out "${dir}/languages_table.inc")
    else()
      set(out "${dir}/labels")
    endif()
    execute_process(COMMAND "${Python3_EXECUTABLE}" "${tool}" ${what} "${out}"
                    RESULT_VARIABLE rc ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "The translation files are not usable:\n${err}")
    endif()
  endforeach()
  file(GLOB labels "${dir}/labels/*.svg")
  list(SORT labels)
  set(CF_LANGUAGE_LABELS "${labels}" PARENT_SCOPE)
endfunction()
