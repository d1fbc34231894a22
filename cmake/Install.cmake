# `cmake --install build --prefix DIR`: the program looks for its game
# libraries and help pages in its own folder, so all three go together into
# DIR/lib/zorv-editor; DIR/bin/zorv-editor links to the program there, and a
# desktop entry and icon put it in the desktop's menu.
set(zorv_install_dir lib/zorv-editor)

install(TARGETS zorv-editor RUNTIME DESTINATION ${zorv_install_dir})
install(TARGETS zorvfd zorvvfs zorvobjects LIBRARY DESTINATION ${zorv_install_dir})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/ DESTINATION ${zorv_install_dir}/help)
install(FILES ${PROJECT_SOURCE_DIR}/desktop/zorv-editor.svg
        DESTINATION share/icons/hicolor/scalable/apps)

# The link and the desktop entry name the prefix given at install time.
install(CODE "
  set(root \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  file(MAKE_DIRECTORY \"\${root}/bin\")
  file(CREATE_LINK ../${zorv_install_dir}/zorv-editor \"\${root}/bin/zorv-editor\" SYMBOLIC)
  message(STATUS \"Installing: \${root}/bin/zorv-editor\")
  set(ZORV_PROGRAM \"\${CMAKE_INSTALL_PREFIX}/${zorv_install_dir}/zorv-editor\")
  configure_file(\"${PROJECT_SOURCE_DIR}/desktop/zorv-editor.desktop.in\"
                 \"${CMAKE_BINARY_DIR}/zorv-editor.desktop\" @ONLY)
  file(INSTALL \"${CMAKE_BINARY_DIR}/zorv-editor.desktop\"
       DESTINATION \"\${CMAKE_INSTALL_PREFIX}/share/applications\")
")
