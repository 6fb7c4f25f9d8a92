# The test executable of src/platform.
lumora_test(test_platform
  ${CMAKE_CURRENT_LIST_DIR}/tst_services.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_metafile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/metafilescript.h)

# The fuzz dictionary and the content tools' record numbers are made from the
# player's record table; this fails when they are not current.
add_test(NAME metafile_records_current
  COMMAND python3 ${PROJECT_SOURCE_DIR}/scripts/metafile-records.py --check)
# The regression files of the metafile player, read from the source tree.
target_compile_definitions(test_platform PRIVATE
  LUMORA_METAFILE_FAULTS="${CMAKE_CURRENT_LIST_DIR}/metafile-faults")
