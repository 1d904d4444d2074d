# The test programs, one per framework module or app area.
halvard_add_test(strings_test SOURCES StringsTest.cpp LIBRARIES framework)
halvard_add_test(numbers_test SOURCES NumbersTest.cpp LIBRARIES framework)
halvard_add_test(text_stream_test SOURCES TextStreamTest.cpp support/TempFolder.cpp LIBRARIES framework)
halvard_add_test(array_test SOURCES ArrayTest.cpp LIBRARIES framework)
halvard_add_test(background_task_test SOURCES BackgroundTaskTest.cpp LIBRARIES framework)
halvard_add_test(folder_item_test SOURCES FolderItemTest.cpp support/TempFolder.cpp LIBRARIES framework)
