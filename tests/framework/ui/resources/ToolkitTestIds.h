// Resource ids of the toolkit tests.
#pragma once

#define IDB_PROBE_PICTURE 101
