# cmake -DRCC=<rcc> -DOUTPUT=<file> -DQRC=<file> -DINPUTS=<dir|dir...> -P build_library.cmake
# Packs the pictures of the input folders into one Qt binary resource file: bitmaps/NAME.bmp
# become the bitmap NAME, cursors/NAME.png the cursor NAME. The entry order and the file dates
# are fixed, so the same pictures always give the same bytes.
foreach(_var RCC OUTPUT QRC INPUTS)
  if(NOT DEFINED ${_var})
    message(FATAL_ERROR "build_library.cmake: ${_var} is not set")
  endif()
endforeach()

string(REPLACE "|" ";" INPUTS "${INPUTS}")
set(_qrc "<!DOCTYPE RCC><RCC version=\"1.0\">\n")
foreach(_kind bitmaps cursors)
  string(APPEND _qrc "<qresource prefix=\"/${_kind}\">\n")
  foreach(_dir ${INPUTS})
    file(GLOB _files LIST_DIRECTORIES false "${_dir}/${_kind}/*")
    list(SORT _files)
    foreach(_file ${_files})
      get_filename_component(_name "${_file}" NAME_WE)
      string(TOUPPER "${_name}" _name)
      string(APPEND _qrc "  <file alias=\"${_name}\">${_file}</file>\n")
    endforeach()
  endforeach()
  string(APPEND _qrc "</qresource>\n")
endforeach()
string(APPEND _qrc "</RCC>\n")
file(WRITE "${QRC}" "${_qrc}")

set(ENV{QT_RCC_SOURCE_DATE_OVERRIDE} 946684800)  # 2000-01-01
execute_process(COMMAND "${RCC}" --binary --compress-algo zlib -o "${OUTPUT}" "${QRC}"
                RESULT_VARIABLE _rc)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "rcc failed (${_rc})")
endif()
