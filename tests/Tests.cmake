# The test programs, one per framework module or app area.
