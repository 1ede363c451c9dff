// String routines shared by the whole program.
#pragma once

namespace kv5 {

// Key "Date Code": 1 d.m.y, 2 m/d/y, 3 y-m-d, 4 d/m/y, other y/m/d.
extern short dateFormat;

}  // namespace kv5
