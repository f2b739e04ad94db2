// Filled by the application shell.
