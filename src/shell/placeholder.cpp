// Keeps the library non-empty until its first window lands.
