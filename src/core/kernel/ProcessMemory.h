#pragma once

// How the process takes memory from the system.
namespace ProcessMemory {

// Called first thing in a main, before any thread starts. A table of many draws is read into
// a few large blocks; in 4 KB pages, the first writing of every page is a fault of its own,
// which on a virtual machine costs as much as reading the page from the file. This reserves
// the heap for those blocks and asks for 2 MB pages there. It changes nothing a program sees
// but its speed, and does nothing where the system or the allocator offers no such pages.
void preferLargePages();

} // namespace ProcessMemory
