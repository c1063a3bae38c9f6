// Placeholder so a subsystem with no sources yet still forms a library.
