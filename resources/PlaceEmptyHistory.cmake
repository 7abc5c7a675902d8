# Puts an empty plok.his (40 empty lines, CR LF) into HISTORY_FOLDER unless one is there, as an
# installation would, so the first start finds its history. An existing file is never touched.
# Usage: cmake -DHISTORY_FOLDER=<folder> -P PlaceEmptyHistory.cmake
if(NOT DEFINED HISTORY_FOLDER)
  message(FATAL_ERROR "HISTORY_FOLDER is not set")
endif()
set(history "${HISTORY_FOLDER}/plok.his")
if(NOT EXISTS "${history}")
  string(ASCII 13 cr)
  string(ASCII 10 lf)
  set(content "")
  foreach(line RANGE 1 40)
    string(APPEND content "${cr}${lf}")
  endforeach()
  file(WRITE "${history}" "${content}")
endif()
