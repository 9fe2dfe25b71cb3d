# Sources of app/ that belong to the core library.
