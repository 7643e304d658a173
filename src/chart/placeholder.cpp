// Removed once the library has sources of its own.
namespace corvane {}
