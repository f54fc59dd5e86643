// Splitting and joining paths as plain strings; no file-system access.
#pragma once

#include <string>
#include <string_view>

namespace corvella {

// Paths are the file system's own byte strings; '/' separates components.

// Folder part of `path` up to and including its last separator; empty when
// the path names no folder.
std::string GetFolderPart(std::string_view path);

// File name and extension of `path` (everything after the last separator).
std::string GetFileTitlePart(std::string_view path);

// `folder`, a separator unless it already ends with one, and `name`;
// `name` alone when `folder` is empty.
std::string JoinPath(std::string_view folder, std::string_view name);

// `path` shortened to at most `max` bytes for a menu: the leading folder,
// "...", and as many trailing components as fit; the file name alone when
// even that is too long.
std::string AbbreviatePath(std::string_view path, std::size_t max);

// PATH with `folder` + ":" in front, unless that text already occurs in it
// or `folder` is empty.
std::string PathWithFolder(std::string_view path, std::string_view folder);

}  // namespace corvella
