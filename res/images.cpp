// The label images and the icon are compiled into the program as Qt resources (see
// CMakeLists.txt); this file only gives their library a source of its own.
