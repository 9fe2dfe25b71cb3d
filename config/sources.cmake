# Sources of config/ that belong to the core library.
