package com.corvaneinc;

// The Java side of the roster library, as Java programs declare it.
class MoxelViewer {
    native int clearList();
    native int addName(String path, String description);
    native int showList();
}
