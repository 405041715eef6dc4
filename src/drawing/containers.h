// The containers of a drawing: a drawing (DXF_Object) holds layers, a layer
// holds one entity list per entity class, an entity list holds the
// entities. A selection (selection_lists) names the entity lists that the
// preview and printing draw.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "drawing/entities.h"
#include "drawing/geometry.h"

class DXF_Layer;
class TStringList;

// Looks texts up by a view without making a string.
struct text_hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
};

// A list keeps each entity's box (`drawn_bounds` in the plane), made when
// the entity is added: an entity changed afterwards gets its box again
// through `refresh_box`.
class Entity_List {
public:
    Entity_List(std::string name, DXF_Layer* owner = nullptr);
    Entity_List(const Entity_List&) = delete;
    Entity_List& operator=(const Entity_List&) = delete;

    // The class name of its entities ("Line_"); "Block_" holds the blocks.
    const std::string name;
    DXF_Layer* owner;

    void add(std::unique_ptr<DXF_Entity> entity);
    int count() const { return static_cast<int>(entities_.size()); }
    // What the entity's drawing may touch in drawing units (a block's is
    // unbounded: its children come after it); see entity_bounds.
    const world_box& box(int i) const { return boxes_[static_cast<std::size_t>(i)]; }
    void refresh_box(int i);
    DXF_Entity& entity(int i) const { return *entities_[static_cast<std::size_t>(i)]; }
    const std::vector<std::unique_ptr<DXF_Entity>>& entities() const { return entities_; }
    // Takes the last entity out of the list.
    std::unique_ptr<DXF_Entity> take_last();

    // Draws every entity in order. With `visible` (drawing units, the
    // caller's clip grown by the pixels that pens and point markers reach
    // beyond an entity's points) and no transform, an entity whose box lies
    // wholly outside it is not drawn; it only leaves the pen and font as
    // its drawing would. Without a transform an insert or polyline whose
    // box projects into one pixel is drawn as that pixel, in the pen colour
    // its drawing would leave. Entities of colour 256 draw in the layer's.
    void draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner,
              const world_box* visible = nullptr) const;
    void update_extents(point3& max, point3& min) const;

    // The first block of that exact name, nullptr when there is none (by
    // an index, kept while blocks are added and rebuilt after a removal).
    const Block_* find_block(std::string_view block_name) const;

private:
    std::vector<std::unique_ptr<DXF_Entity>> entities_;
    std::vector<world_box> boxes_;  // index-aligned with the entities
    // Index-aligned too: what each entity's drawing reads beyond the object
    // (see far_data_of), fetched ahead with the object; nullptr for nothing.
    // Only ever fetched, so an address gone stale costs time, not safety.
    std::vector<const void*> far_data_;
    bool pixel_rule_;               // its entities cost more to draw than a pixel
    mutable std::unordered_map<std::string_view, const Block_*, text_hash, std::equal_to<>> blocks_;
    mutable bool blocks_valid_ = true;
};

class DXF_Layer {
public:
    // No entity lists; colour 0, no line type, width 0.
    explicit DXF_Layer(std::string name);
    DXF_Layer(const DXF_Layer&) = delete;
    DXF_Layer& operator=(const DXF_Layer&) = delete;

    const std::string name;
    std::string line_type_name;
    int32_t colour_index = 0;
    int32_t line_width = 0;
    const std::vector<std::string>& entity_list_names() const { return names_; }
    const std::vector<std::unique_ptr<Entity_List>>& entity_lists() const { return lists_; }

    int count() const { return static_cast<int>(lists_.size()); }
    // Files the entity in the list named after its class (made when
    // missing); a colour of 0 or 256 becomes the layer's. Raises "Entity
    // list ID mismatch" when the names and the lists fall out of step.
    bool add_entity(std::unique_ptr<DXF_Entity> entity);
    // The list of that name, made and appended when missing.
    Entity_List& entity_list(std::string_view list_name);
    // The list of that name, nullptr when there is none.
    Entity_List* find_entity_list(std::string_view list_name) const;
    // Removes every list of that exact name, last first; the lists are
    // destroyed when `release` is set, else handed back.
    std::vector<std::unique_ptr<Entity_List>> remove_entity_list(std::string_view list_name, bool release);
    void update_extents(point3& max, point3& min) const;

private:
    std::vector<std::string> names_;
    std::vector<std::unique_ptr<Entity_List>> lists_;
    Entity_List* last_list_ = nullptr;  // the list the last entity went to
};

class DXF_Object {
public:
    // No layers; "Untitled" when no name is given; both extents (0, 0, 0).
    explicit DXF_Object(std::string name = {});
    DXF_Object(const DXF_Object&) = delete;
    DXF_Object& operator=(const DXF_Object&) = delete;

    // A drawing read from a drawing file: named after the file (without its
    // folder), with the extents and layers the reader found. The reader's
    // boxes report what it could not read; a file that cannot be opened
    // raises EInOutError.
    static std::unique_ptr<DXF_Object> create_from_file(std::string_view path);

    std::string name;

    // Generates the drawing file of the current project at the path through
    // the drawing writer; the drawing's own layers are not written.
    void save(std::string_view path);

    int layer_count() const { return static_cast<int>(layers_.size()); }
    const std::vector<std::unique_ptr<DXF_Layer>>& layers() const { return layers_; }
    // A new layer; one of that name is returned when `allow_existing` is
    // set, else "Attempted to create layer with existing name" is raised.
    DXF_Layer& create_layer(std::string_view layer_name, bool allow_existing);
    // Raises "Attempted to add to unnamed layer" when there is no layer of that name.
    bool add_entity_to_layer(std::unique_ptr<DXF_Entity> entity, std::string_view layer_name);
    // The layer of that exact name, made and appended when missing.
    DXF_Layer& layer(std::string_view layer_name);
    DXF_Layer* find_layer(std::string_view layer_name) const;
    // Moves every entity of `other` into the layers and lists of the same
    // names here (each list's entities arriving last first) and binds the
    // moved inserts to the blocks of layer "0"; `other` keeps empty lists.
    bool merge(DXF_Object& other);
    // The drawing's name; each layer's name after two blanks and each of its
    // entity lists' names after four, with the layer or list as the object.
    void fill_names(TStringList& strings) const;
    point3 max_extents() const { return max_extents_; }
    point3 min_extents() const { return min_extents_; }
    void set_extents(const point3& max, const point3& min);
    void update_extents(point3& max, point3& min) const;
    // Takes over layers (the reader's).
    void take_layers(std::vector<std::unique_ptr<DXF_Layer>> layers);

private:
    std::vector<std::unique_ptr<DXF_Layer>> layers_;
    std::unordered_map<std::string_view, DXF_Layer*, text_hash, std::equal_to<>> index_;  // first of a name
    point3 max_extents_;
    point3 min_extents_;
    DXF_Layer& append_layer(std::string_view layer_name);
};

// The entity lists the preview and printing draw; it owns none of them.
class selection_lists {
public:
    // Writes the drawing file of the current project at the path (through
    // an empty drawing's save).
    static void make_drawing(std::string_view path);
    void add(Entity_List* list) { lists_.push_back(list); }
    void clear() { lists_.clear(); }
    int count() const { return static_cast<int>(lists_.size()); }
    Entity_List* operator[](int i) const { return lists_[static_cast<std::size_t>(i)]; }
    const std::vector<Entity_List*>& lists() const { return lists_; }

private:
    std::vector<Entity_List*> lists_;
};
