// Removed once the core has sources of its own.
