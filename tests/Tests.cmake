# The test programs, one per framework module or app area.
halvard_add_test(strings_test SOURCES framework/text/StringsTest.cpp LIBRARIES framework)
halvard_add_test(numbers_test SOURCES framework/text/NumbersTest.cpp LIBRARIES framework)
halvard_add_test(text_stream_test SOURCES framework/files/TextStreamTest.cpp support/TempFolder.cpp LIBRARIES framework)
halvard_add_test(array_test SOURCES framework/core/ArrayTest.cpp LIBRARIES framework)
halvard_add_test(background_task_test SOURCES framework/core/BackgroundTaskTest.cpp LIBRARIES framework)
# No listing keeper here, so Count and Item list afresh at every call; programs that link support/KeptListings.cpp
# reuse listings as the program's run does.
halvard_add_test(folder_item_test SOURCES framework/files/FolderItemTest.cpp support/TempFolder.cpp support/TestText.cpp
  LIBRARIES framework)

# The window toolkit: windows, controls, the event loop and menus, driven as a user would.
set(TOOLKIT_TEST_SUPPORT support/GuiDriver.cpp support/WindowSearch.cpp framework/ui/resources/ToolkitTest.rc)
halvard_add_test(window_test SOURCES framework/ui/WindowTest.cpp ${TOOLKIT_TEST_SUPPORT} LIBRARIES framework SERIAL)
halvard_add_test(event_loop_test SOURCES framework/ui/EventLoopTest.cpp
  ${TOOLKIT_TEST_SUPPORT} LIBRARIES framework SERIAL)
add_executable(toolkit_probe WIN32 support/ToolkitProbe.cpp)
target_link_libraries(toolkit_probe PRIVATE framework)
target_link_options(toolkit_probe PRIVATE -municode)
halvard_add_test(menu_test SOURCES framework/ui/MenuTest.cpp ${TOOLKIT_TEST_SUPPORT} LIBRARIES framework SERIAL)
add_dependencies(menu_test toolkit_probe)

# The plug-in: Pendrel on its own with a fake host, and the real host that carries it as Halvard does.
halvard_add_test(plugin_boundary_test SOURCES plugin/PluginBoundaryTest.cpp
  support/PluginDriver.cpp support/WindowSearch.cpp
  LIBRARIES framework SERIAL)
target_link_libraries(plugin_boundary_test PRIVATE ole32)
# The test loads the library from beside itself; a rebuilt library is copied again.
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/Pendrel.dll
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Pendrel> ${CMAKE_CURRENT_BINARY_DIR}/Pendrel.dll
  DEPENDS Pendrel)
add_custom_target(pendrel_beside_tests DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/Pendrel.dll)
add_dependencies(plugin_boundary_test pendrel_beside_tests)
# The event loop test shows that start-up keeps a library lying beside the program from loading by name.
add_dependencies(event_loop_test pendrel_beside_tests)
add_executable(plugin_probe support/PluginProbe.cpp)
target_link_libraries(plugin_probe PRIVATE framework)
target_link_options(plugin_probe PRIVATE -municode)
embed_pendrel(plugin_probe support/PluginProbe.rc)
halvard_add_test(plugin_host_test SOURCES framework/plugins/PluginHostTest.cpp
  support/PluginDriver.cpp support/WindowSearch.cpp
  LIBRARIES framework SERIAL)
embed_pendrel(plugin_host_test framework/plugins/PluginHostTest.rc)
add_dependencies(plugin_host_test plugin_probe)


# The preferences file's format and its safe replacement.
halvard_add_test(prefs_test SOURCES app/PrefsTest.cpp support/TempFolder.cpp support/TestText.cpp LIBRARIES halvard_app)
halvard_add_test(demo_list_test SOURCES app/DemoListTest.cpp support/TempFolder.cpp support/KeptListings.cpp
  LIBRARIES halvard_app)
halvard_add_test(prune_run_test SOURCES app/PruneRunTest.cpp support/TempFolder.cpp support/MessageBoxWatcher.cpp
  support/WindowSearch.cpp support/KeptListings.cpp LIBRARIES halvard_app SERIAL)

# The real program copied into a fresh folder of its own and driven from outside.
set(HALVARD_TEST_SUPPORT support/HalvardFolder.cpp support/GuiDriver.cpp support/WindowSearch.cpp support/TempFolder.cpp
  support/TestText.cpp)

# Hostile input and faults: generated folders against a model of the rules, parser fuzzing, injected file faults.
halvard_add_test(prune_model_test SOURCES app/PruneModelTest.cpp support/MessageBoxWatcher.cpp support/TempFolder.cpp
  support/TestText.cpp support/WindowSearch.cpp support/KeptListings.cpp LIBRARIES halvard_app SERIAL)
halvard_add_test(parser_fuzz_test SOURCES framework/text/ParserFuzzTest.cpp support/TempFolder.cpp support/TestText.cpp
  LIBRARIES framework)
halvard_add_test(fault_injection_test SOURCES app/FaultInjectionTest.cpp support/MessageBoxWatcher.cpp
  support/TempFolder.cpp support/WindowSearch.cpp support/KeptListings.cpp LIBRARIES halvard_app SERIAL)
halvard_add_test(prefs_wild_test SOURCES program/PrefsWildTest.cpp ${HALVARD_TEST_SUPPORT} LIBRARIES framework SERIAL)
target_compile_definitions(prefs_wild_test PRIVATE HALVARD_EXE="Z:$<TARGET_FILE:Halvard>")
add_dependencies(prefs_wild_test Halvard)
halvard_add_test(long_use_test SOURCES program/LongUseTest.cpp ${HALVARD_TEST_SUPPORT} LIBRARIES framework SERIAL)
target_compile_definitions(long_use_test PRIVATE HALVARD_EXE="Z:$<TARGET_FILE:Halvard>")
add_dependencies(long_use_test Halvard)

# The main window on the test's own thread, driven from a second one; the logo as built and as Halvard carries it.
halvard_add_test(main_win_test SOURCES app/MainWinTest.cpp support/GuiDriver.cpp support/WindowSearch.cpp
  support/TempFolder.cpp support/KeptListings.cpp LIBRARIES halvard_app halvard_logo SERIAL)
target_compile_definitions(main_win_test PRIVATE
  SCREENSHOT_FOLDER="Z:${CMAKE_BINARY_DIR}/screenshots"
  LOGO_BMP_FILE="Z:${CMAKE_BINARY_DIR}/app/logo/Logo.bmp"
  HALVARD_EXE="Z:$<TARGET_FILE:Halvard>")
add_dependencies(main_win_test Halvard)
# Browse with the real plug-in carried, installed and bound as start-up does.
halvard_add_test(main_win_browse_test SOURCES app/MainWinBrowseTest.cpp support/GuiDriver.cpp support/WindowSearch.cpp
  LIBRARIES halvard_app halvard_logo SERIAL)
embed_pendrel(main_win_browse_test app/MainWinBrowseTest.rc)

# Count and Item reuse listings between calls and still answer as a fresh listing would.
halvard_add_test(folder_listing_test SOURCES framework/files/FolderListingTest.cpp
  support/TempFolder.cpp support/KeptListings.cpp
  LIBRARIES framework)
halvard_add_test(demo_fields_test SOURCES app/DemoFieldsTest.cpp support/TempFolder.cpp support/KeptListings.cpp
  LIBRARIES halvard_app)

# The real program in a fresh folder of its own, driven as a user would; and its File menu, read in this process.
halvard_add_test(halvard_end_to_end_test SOURCES program/HalvardEndToEndTest.cpp ${HALVARD_TEST_SUPPORT}
  LIBRARIES halvard_app SERIAL)
target_compile_definitions(halvard_end_to_end_test PRIVATE
  SCREENSHOT_FOLDER="Z:${CMAKE_BINARY_DIR}/screenshots"
  HALVARD_EXE="Z:$<TARGET_FILE:Halvard>")
add_dependencies(halvard_end_to_end_test Halvard)

# The order in which the first activation fills the real main window from the file or with the defaults.
halvard_add_test(prefs_window_test SOURCES app/PrefsWindowTest.cpp LIBRARIES halvard_app halvard_logo SERIAL)
