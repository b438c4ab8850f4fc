# SPDX-License-Identifier: Apache-2.0
# Translation catalogues of tarnqt. lrelease turns every tarnqt_<lang>.ts into a .qm file at
# build time, beside the programs in bin/tr/; the target tarnqt_lupdate (not part of the default
# build) refreshes the catalogues from the sources and forms.
find_package(Qt5 REQUIRED COMPONENTS LinguistTools)

set(tarnqt_ts_files ${CMAKE_CURRENT_LIST_DIR}/tarnqt_de.ts ${CMAKE_CURRENT_LIST_DIR}/tarnqt_ja.ts)
set_source_files_properties(${tarnqt_ts_files} PROPERTIES OUTPUT_LOCATION ${CMAKE_BINARY_DIR}/bin/tr)
qt5_add_translation(tarnqt_qm_files ${tarnqt_ts_files})
add_custom_target(tarnqt_translations ALL DEPENDS ${tarnqt_qm_files})
install(FILES ${tarnqt_qm_files} DESTINATION ${TARN_INSTALL_DIR}/tr)

# Without locations the catalogues change only when a text does, not when a line moves;
# texts gone from the sources are dropped, since lrelease would skip them anyway.
add_custom_target(tarnqt_lupdate
  COMMAND sh -c "exec \"$0\" -no-obsolete -locations none *.cpp *.h forms/*.ui -ts tr/tarnqt_*.ts"
          $<TARGET_FILE:Qt5::lupdate>
  WORKING_DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/..
  COMMENT "Refreshing the tarnqt translation catalogues"
  VERBATIM)
