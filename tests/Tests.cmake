# The test programs, one per framework module or app area.
halvard_add_test(strings_test SOURCES StringsTest.cpp LIBRARIES framework)
halvard_add_test(numbers_test SOURCES NumbersTest.cpp LIBRARIES framework)
halvard_add_test(text_stream_test SOURCES TextStreamTest.cpp support/TempFolder.cpp LIBRARIES framework)
halvard_add_test(array_test SOURCES ArrayTest.cpp LIBRARIES framework)
halvard_add_test(background_task_test SOURCES BackgroundTaskTest.cpp LIBRARIES framework)
halvard_add_test(folder_item_test SOURCES FolderItemTest.cpp support/TempFolder.cpp LIBRARIES framework)

# The window toolkit: windows, controls, the event loop and menus, driven as a user would.
set(TOOLKIT_TEST_SUPPORT support/GuiDriver.cpp resources/ToolkitTest.rc)
halvard_add_test(window_test SOURCES WindowTest.cpp ${TOOLKIT_TEST_SUPPORT} LIBRARIES framework SERIAL)
halvard_add_test(event_loop_test SOURCES EventLoopTest.cpp ${TOOLKIT_TEST_SUPPORT} LIBRARIES framework SERIAL)
add_executable(toolkit_probe WIN32 support/ToolkitProbe.cpp)
target_link_libraries(toolkit_probe PRIVATE framework)
target_link_options(toolkit_probe PRIVATE -municode)
halvard_add_test(menu_test SOURCES MenuTest.cpp ${TOOLKIT_TEST_SUPPORT} LIBRARIES framework SERIAL)
add_dependencies(menu_test toolkit_probe)
