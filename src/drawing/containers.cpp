#include "drawing/containers.h"

#include <cmath>
#include <optional>

#include "drawing/dxf_reader.h"
#include "drawing/view_projection.h"
#include "platform/exceptions.h"
#include "platform/files.h"
#include "platform/strings.h"

// ---------------------------------------------------------------------------
// Entity_List

namespace {

// What an entity's drawing reads outside the object itself: a polyline's
// vertices, else the entity's transform (none for most).
const void* far_data_of(const DXF_Entity& e) {
    if (const auto* p = dynamic_cast<const Polyline_*>(&e)) return p->vertices.data();
    return e.transform.get();
}

// Blocks are read after they are filed: their box is never known.
world_box box_of(const DXF_Entity& e) {
    return dynamic_cast<const Block_*>(&e) ? world_box_unbounded : e.drawn_bounds().box();
}

}  // namespace

Entity_List::Entity_List(std::string name_, DXF_Layer* owner_)
    : name(std::move(name_)),
      owner(owner_),
      pixel_rule_(name == "Insert_" || name == "Polyline_" || name == "Polygon_mesh_" || name == "Polyface_mesh_") {}

void Entity_List::add(std::unique_ptr<DXF_Entity> entity) {
    const auto* b = dynamic_cast<const Block_*>(entity.get());
    if (b && blocks_valid_) blocks_.try_emplace(b->name, b);
    boxes_.push_back(b ? world_box_unbounded : entity->drawn_bounds().box());
    far_data_.push_back(far_data_of(*entity));
    entities_.push_back(std::move(entity));
}

void Entity_List::refresh_box(int i) {
    boxes_[static_cast<std::size_t>(i)] = box_of(entity(i));
    far_data_[static_cast<std::size_t>(i)] = far_data_of(entity(i));
}

std::unique_ptr<DXF_Entity> Entity_List::take_last() {
    std::unique_ptr<DXF_Entity> e = std::move(entities_.back());
    entities_.pop_back();
    boxes_.pop_back();
    far_data_.pop_back();
    if (dynamic_cast<const Block_*>(e.get())) {
        blocks_.clear();
        blocks_valid_ = false;
    }
    return e;
}

void Entity_List::draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner_,
                       const world_box* visible) const {
    std::optional<by_layer_colour_scope> by_layer;
    if (owner) by_layer.emplace(drawing_colour_of(owner->colour_index));
    const text_height_memo_scope text_heights;
    if (t) {
        // The boxes are in drawing units, before any transform.
        for (const auto& e : entities_) e->draw(canvas, t, projection, owner_);
        return;
    }
    const std::size_t n = entities_.size();
    // The entities lie scattered in memory: each is fetched a few entities
    // ahead, so that its drawing does not wait for it.
    constexpr std::size_t ahead = 8;
    for (std::size_t i = 0; i < n; ++i) {
        if (i + ahead < n) {
            // The fields a drawing reads span the object's first three lines.
            const char* next = reinterpret_cast<const char*>(entities_[i + ahead].get());
            __builtin_prefetch(next);
            __builtin_prefetch(next + 64);
            __builtin_prefetch(next + 128);
            if (const void* far = far_data_[i + ahead]) {
                __builtin_prefetch(far);
                __builtin_prefetch(static_cast<const char*>(far) + 64);
            }
        }
        const DXF_Entity& e = *entities_[i];
        const world_box& b = boxes_[i];
        if (visible && world_box_outside(b, *visible)) {
            e.apply_draw_state(canvas, projection, owner_);
            continue;
        }
        if (pixel_rule_ && std::isfinite(b.xmin) && std::isfinite(b.ymin) && std::isfinite(b.xmax) &&
            std::isfinite(b.ymax)) {
            const TPoint low = project_point(projection, owner_, {b.xmin, b.ymin, 0}, nullptr);
            const TPoint high = project_point(projection, owner_, {b.xmax, b.ymax, 0}, nullptr);
            if (low.x == high.x && low.y == high.y) {
                e.apply_draw_state(canvas, projection, owner_);
                canvas.SetPixel(low.x, low.y, canvas.Pen.Color);
                continue;
            }
        }
        e.draw(canvas, nullptr, projection, owner_);
    }
}

void Entity_List::update_extents(point3& max, point3& min) const {
    for (const auto& e : entities_) e->update_extents(max, min);
}

const Block_* Entity_List::find_block(std::string_view block_name) const {
    if (!blocks_valid_) {
        for (const auto& e : entities_)
            if (const auto* b = dynamic_cast<const Block_*>(e.get())) blocks_.try_emplace(b->name, b);
        blocks_valid_ = true;
    }
    const auto it = blocks_.find(block_name);
    return it == blocks_.end() ? nullptr : it->second;
}

// ---------------------------------------------------------------------------
// DXF_Layer

DXF_Layer::DXF_Layer(std::string name_) : name(std::move(name_)) {}

Entity_List* DXF_Layer::find_entity_list(std::string_view list_name) const {
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == list_name) return lists_[i].get();
    return nullptr;
}

Entity_List& DXF_Layer::entity_list(std::string_view list_name) {
    if (Entity_List* found = find_entity_list(list_name)) return *found;
    lists_.push_back(std::make_unique<Entity_List>(std::string(list_name), this));
    names_.emplace_back(list_name);
    if (lists_.size() != names_.size()) throw Exception("Entity list ID mismatch");
    return *lists_.back();
}

bool DXF_Layer::add_entity(std::unique_ptr<DXF_Entity> entity) {
    const char* class_name = entity->class_name();
    Entity_List* list = last_list_ && last_list_->name == class_name ? last_list_ : &entity_list(class_name);
    last_list_ = list;
    if (entity->colour_index == 0 || entity->colour_index == 256) entity->set_colour_index(colour_index);
    list->add(std::move(entity));
    return true;
}

std::vector<std::unique_ptr<Entity_List>> DXF_Layer::remove_entity_list(std::string_view list_name, bool release) {
    std::vector<std::unique_ptr<Entity_List>> removed;
    for (std::size_t i = names_.size(); i-- > 0;) {
        if (names_[i] != list_name) continue;
        if (last_list_ == lists_[i].get()) last_list_ = nullptr;
        if (!release) removed.push_back(std::move(lists_[i]));
        lists_.erase(lists_.begin() + static_cast<std::ptrdiff_t>(i));
        names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return removed;
}

void DXF_Layer::update_extents(point3& max, point3& min) const {
    for (const auto& list : lists_) list->update_extents(max, min);
}

// ---------------------------------------------------------------------------
// DXF_Object

DXF_Object::DXF_Object(std::string name_) : name(name_.empty() ? std::string("Untitled") : std::move(name_)) {}

std::unique_ptr<DXF_Object> DXF_Object::create_from_file(std::string_view path) {
    auto drawing = std::make_unique<DXF_Object>();
    DXF_Reader reader(path);
    if (reader.read_file()) {
        drawing->name = ExtractFileName(path);
        drawing->set_extents(reader.extents_max(), reader.extents_min());
        drawing->take_layers(reader.take_layers());
    } else {
        drawing->name = std::string(path);
    }
    return drawing;
}

DXF_Layer* DXF_Object::find_layer(std::string_view layer_name) const {
    const auto it = index_.find(layer_name);
    return it == index_.end() ? nullptr : it->second;
}

DXF_Layer& DXF_Object::append_layer(std::string_view layer_name) {
    layers_.push_back(std::make_unique<DXF_Layer>(std::string(layer_name)));
    DXF_Layer& l = *layers_.back();
    index_.try_emplace(l.name, &l);
    return l;
}

DXF_Layer& DXF_Object::create_layer(std::string_view layer_name, bool allow_existing) {
    if (DXF_Layer* existing = find_layer(layer_name)) {
        if (allow_existing) return *existing;
        throw Exception("Attempted to create layer with existing name");
    }
    return append_layer(layer_name);
}

bool DXF_Object::add_entity_to_layer(std::unique_ptr<DXF_Entity> entity, std::string_view layer_name) {
    DXF_Layer* l = find_layer(layer_name);
    if (!l) throw Exception("Attempted to add to unnamed layer");
    return l->add_entity(std::move(entity));
}

DXF_Layer& DXF_Object::layer(std::string_view layer_name) {
    if (DXF_Layer* existing = find_layer(layer_name)) return *existing;
    return append_layer(layer_name);
}

bool DXF_Object::merge(DXF_Object& other) {
    Entity_List& blocks = layer("0").entity_list("Block_");
    for (const auto& other_layer : other.layers_) {
        DXF_Layer& mine = layer(other_layer->name);
        for (const auto& other_list : other_layer->entity_lists()) {
            Entity_List& target = mine.entity_list(other_list->name);
            while (other_list->count() > 0) {
                std::unique_ptr<DXF_Entity> e = other_list->take_last();
                DXF_Entity* moved = e.get();
                target.add(std::move(e));
                if (dynamic_cast<Insert_*>(moved)) {
                    moved->bind_block_list(&blocks);
                    target.refresh_box(target.count() - 1);
                }
            }
        }
    }
    return false;
}

void DXF_Object::fill_names(TStringList& strings) const {
    strings.Add(name);
    for (const auto& l : layers_) {
        strings.AddObject("  " + l->name, reinterpret_cast<intptr_t>(l.get()));
        for (const auto& list : l->entity_lists())
            strings.AddObject("    " + list->name, reinterpret_cast<intptr_t>(list.get()));
    }
}

void DXF_Object::set_extents(const point3& max, const point3& min) {
    max_extents_ = max;
    min_extents_ = min;
}

void DXF_Object::update_extents(point3& max, point3& min) const {
    for (const auto& l : layers_) l->update_extents(max, min);
}

void DXF_Object::take_layers(std::vector<std::unique_ptr<DXF_Layer>> layers) {
    for (auto& l : layers) {
        index_.try_emplace(l->name, l.get());
        layers_.push_back(std::move(l));
    }
}
