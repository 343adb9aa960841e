// Anchor of the platform-free library, so it is never empty while areas are added.
namespace tarnel { int PortableLibraryAnchor() { return 0; } }
