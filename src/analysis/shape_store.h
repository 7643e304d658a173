// The lattice's solved nodes (shape_lattice.h) kept on disk between sessions: a node is solved
// once per machine instead of once per session. A cold session's first fits spend nearly all
// their time solving nodes (stationary_likelihood.h); with the nodes on disk they read them.
//
//   CORVANE_SHAPE_CACHE, XDG_CACHE_HOME, HOME --ShapeStoreBase--> the store's base folder, or none
//   base --ShapeStoreDirectory--> the folder of this build's nodes (resolved once per process)
//   folder, node --LoadShapeNodes / StoreShapeNodes--> the solve's nodes exactly as it gave them
//
// Where: CORVANE_SHAPE_CACHE when set (empty or "off": no store), else
// $XDG_CACHE_HOME/corvane/shapes, else $HOME/.cache/corvane/shapes. Within it one folder per
// lattice and solve, named by the lattice's steps (and the fine lattice's solve step) and a fingerprint of
// two reference shapes as this build solves them: a program built with other floating-point code, or a
// changed solver, never reads another's nodes, so a node read is bit for bit the one this build would solve,
// and a fit gives the same figures with or without the store. (The likelihood's searches follow rounding
// differences of 1e-16 to other ends on a flat ridge: a near-equal node would not do.)
// One file per node, written whole under a temporary name and renamed into place (a reader never
// sees half a file; two processes storing one node store the same bytes). A file is read back only
// if its header, length and checksum agree, else the node is solved again and the file rewritten.
// A store that cannot be made, read or written leaves the fit as it is without one: it only saves
// time. Size: a node's file is its table at the solve's own spacing (m/step nodes plus the tail),
// 7 KB on average: afex's stroop cells (1,370 fits) stored 570 nodes, 3.9 MB.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "analysis/shape_lattice.h"
#include "analysis/stationary_shape_solver.h"

namespace corvane {

// The base folder from the three settings (null: not set), or none.
std::optional<std::filesystem::path> ShapeStoreBase(const char* setting, const char* xdg_cache_home,
                                                    const char* home);

// This process's store for the lattice of `level`: the base from the environment plus the
// lattice's and the solve's folder, created on first use; none where there is no base or it cannot
// be made.
const std::optional<std::filesystem::path>& ShapeStoreDirectory(TLatticeLevel level);

// The folder name of the lattice of `level` for a solve fingerprinted as `fingerprint`.
std::filesystem::path ShapeStoreFolderName(std::uint64_t fingerprint, TLatticeLevel level);

// The bits of the solve as this build computes it: two reference shapes hashed.
std::uint64_t ShapeSolveFingerprint();

// The node (iv, im) of shape (k, m), if `folder` holds a sound file of it.
std::optional<TShapeNodes> LoadShapeNodes(const std::filesystem::path& folder, int iv, int im, double k,
                                          double m);
// Writes the node; true when it is in place.
bool StoreShapeNodes(const std::filesystem::path& folder, int iv, int im, double k, double m,
                     const TShapeNodes& nodes);

}  // namespace corvane
