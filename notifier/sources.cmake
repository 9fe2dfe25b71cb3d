# Sources of notifier/ that belong to the core library.
