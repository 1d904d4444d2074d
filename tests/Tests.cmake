# The test programs, one per framework module or app area.
halvard_add_test(folder_item_test SOURCES FolderItemTest.cpp support/TempFolder.cpp LIBRARIES framework)
