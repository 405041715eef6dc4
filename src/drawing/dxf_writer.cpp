#include "drawing/dxf_writer.h"

#include <utility>

DXF_Writer::DXF_Writer(std::string path) : path_(std::move(path)) {}

DXF_Writer::~DXF_Writer() = default;
