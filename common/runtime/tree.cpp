// The red-black tree steps under std::map and std::set. The C++ library
// keeps them out of its headers, in its prebuilt archive, which is built for
// a later CPU and with the C library beneath it; the shipped programs carry
// these instead (the textbook algorithms, on the library's node layout: the
// header node's parent is the root, its left the leftmost node, its right
// the rightmost; the header is red, the root black).
#include <map>

namespace std {
namespace {

using Node = _Rb_tree_node_base;

bool IsRed(const Node* x) { return x != nullptr && x->_M_color == _S_red; }

void RotateLeft(Node* x, Node*& root) {
    Node* const y = x->_M_right;
    x->_M_right = y->_M_left;
    if (y->_M_left) y->_M_left->_M_parent = x;
    y->_M_parent = x->_M_parent;
    if (x == root) {
        root = y;
    } else if (x == x->_M_parent->_M_left) {
        x->_M_parent->_M_left = y;
    } else {
        x->_M_parent->_M_right = y;
    }
    y->_M_left = x;
    x->_M_parent = y;
}

void RotateRight(Node* x, Node*& root) {
    Node* const y = x->_M_left;
    x->_M_left = y->_M_right;
    if (y->_M_right) y->_M_right->_M_parent = x;
    y->_M_parent = x->_M_parent;
    if (x == root) {
        root = y;
    } else if (x == x->_M_parent->_M_right) {
        x->_M_parent->_M_right = y;
    } else {
        x->_M_parent->_M_left = y;
    }
    y->_M_right = x;
    x->_M_parent = y;
}

Node* Successor(Node* x) {
    if (x->_M_right) {
        x = x->_M_right;
        while (x->_M_left) x = x->_M_left;
        return x;
    }
    Node* y = x->_M_parent;
    while (x == y->_M_right) {
        x = y;
        y = y->_M_parent;
    }
    // From the rightmost node of a tree whose root has no right child, the
    // climb ends at the header with x the root: the header is next.
    return x->_M_right != y ? y : x;
}

Node* Predecessor(Node* x) {
    if (x->_M_color == _S_red && x->_M_parent->_M_parent == x) return x->_M_right;  // the header: the rightmost
    if (x->_M_left) {
        x = x->_M_left;
        while (x->_M_right) x = x->_M_right;
        return x;
    }
    Node* y = x->_M_parent;
    while (x == y->_M_left) {
        x = y;
        y = y->_M_parent;
    }
    return y;
}

}  // namespace

_Rb_tree_node_base* _Rb_tree_increment(_Rb_tree_node_base* x) throw() { return Successor(x); }
const _Rb_tree_node_base* _Rb_tree_increment(const _Rb_tree_node_base* x) throw() {
    return Successor(const_cast<Node*>(x));
}
_Rb_tree_node_base* _Rb_tree_decrement(_Rb_tree_node_base* x) throw() { return Predecessor(x); }
const _Rb_tree_node_base* _Rb_tree_decrement(const _Rb_tree_node_base* x) throw() {
    return Predecessor(const_cast<Node*>(x));
}

void _Rb_tree_insert_and_rebalance(const bool insertLeft, _Rb_tree_node_base* x, _Rb_tree_node_base* p,
                                   _Rb_tree_node_base& header) throw() {
    Node*& root = header._M_parent;
    x->_M_parent = p;
    x->_M_left = nullptr;
    x->_M_right = nullptr;
    x->_M_color = _S_red;
    if (insertLeft) {
        p->_M_left = x;  // also the leftmost when p is the header of an empty tree
        if (p == &header) {
            root = x;
            header._M_right = x;
        } else if (p == header._M_left) {
            header._M_left = x;
        }
    } else {
        p->_M_right = x;
        if (p == header._M_right) header._M_right = x;
    }

    while (x != root && x->_M_parent->_M_color == _S_red) {
        Node* const grandparent = x->_M_parent->_M_parent;
        if (x->_M_parent == grandparent->_M_left) {
            Node* const uncle = grandparent->_M_right;
            if (IsRed(uncle)) {
                x->_M_parent->_M_color = _S_black;
                uncle->_M_color = _S_black;
                grandparent->_M_color = _S_red;
                x = grandparent;
            } else {
                if (x == x->_M_parent->_M_right) {
                    x = x->_M_parent;
                    RotateLeft(x, root);
                }
                x->_M_parent->_M_color = _S_black;
                grandparent->_M_color = _S_red;
                RotateRight(grandparent, root);
            }
        } else {
            Node* const uncle = grandparent->_M_left;
            if (IsRed(uncle)) {
                x->_M_parent->_M_color = _S_black;
                uncle->_M_color = _S_black;
                grandparent->_M_color = _S_red;
                x = grandparent;
            } else {
                if (x == x->_M_parent->_M_left) {
                    x = x->_M_parent;
                    RotateRight(x, root);
                }
                x->_M_parent->_M_color = _S_black;
                grandparent->_M_color = _S_red;
                RotateLeft(grandparent, root);
            }
        }
    }
    root->_M_color = _S_black;
}

// Unlinks z, keeps the tree balanced and the header's ends right, and
// returns z for the caller to free.
_Rb_tree_node_base* _Rb_tree_rebalance_for_erase(_Rb_tree_node_base* const z, _Rb_tree_node_base& header) throw() {
    Node*& root = header._M_parent;
    Node*& leftmost = header._M_left;
    Node*& rightmost = header._M_right;
    Node* y = z;  // the node that leaves its place: z, or z's successor
    Node* x = nullptr;
    Node* xParent = nullptr;

    if (y->_M_left == nullptr) {
        x = y->_M_right;
    } else if (y->_M_right == nullptr) {
        x = y->_M_left;
    } else {
        y = y->_M_right;
        while (y->_M_left) y = y->_M_left;
        x = y->_M_right;
    }

    if (y != z) {
        // z has two children: its successor y takes its place and colour.
        z->_M_left->_M_parent = y;
        y->_M_left = z->_M_left;
        if (y != z->_M_right) {
            xParent = y->_M_parent;
            if (x) x->_M_parent = y->_M_parent;
            y->_M_parent->_M_left = x;
            y->_M_right = z->_M_right;
            z->_M_right->_M_parent = y;
        } else {
            xParent = y;
        }
        if (root == z) {
            root = y;
        } else if (z->_M_parent->_M_left == z) {
            z->_M_parent->_M_left = y;
        } else {
            z->_M_parent->_M_right = y;
        }
        y->_M_parent = z->_M_parent;
        const _Rb_tree_color colour = y->_M_color;
        y->_M_color = z->_M_color;
        z->_M_color = colour;
        y = z;
    } else {
        xParent = y->_M_parent;
        if (x) x->_M_parent = y->_M_parent;
        if (root == z) {
            root = x;
        } else if (z->_M_parent->_M_left == z) {
            z->_M_parent->_M_left = x;
        } else {
            z->_M_parent->_M_right = x;
        }
        if (leftmost == z) {
            if (z->_M_right == nullptr) {
                leftmost = z->_M_parent;  // the header, when the tree is now empty
            } else {
                leftmost = x;
                while (leftmost->_M_left) leftmost = leftmost->_M_left;
            }
        }
        if (rightmost == z) {
            if (z->_M_left == nullptr) {
                rightmost = z->_M_parent;
            } else {
                rightmost = x;
                while (rightmost->_M_right) rightmost = rightmost->_M_right;
            }
        }
    }

    if (y->_M_color != _S_red) {
        // A black node left: x carries an extra black up until it can drop it.
        while (x != root && !IsRed(x)) {
            if (x == xParent->_M_left) {
                Node* w = xParent->_M_right;
                if (IsRed(w)) {
                    w->_M_color = _S_black;
                    xParent->_M_color = _S_red;
                    RotateLeft(xParent, root);
                    w = xParent->_M_right;
                }
                if (!IsRed(w->_M_left) && !IsRed(w->_M_right)) {
                    w->_M_color = _S_red;
                    x = xParent;
                    xParent = xParent->_M_parent;
                } else {
                    if (!IsRed(w->_M_right)) {
                        w->_M_left->_M_color = _S_black;
                        w->_M_color = _S_red;
                        RotateRight(w, root);
                        w = xParent->_M_right;
                    }
                    w->_M_color = xParent->_M_color;
                    xParent->_M_color = _S_black;
                    if (w->_M_right) w->_M_right->_M_color = _S_black;
                    RotateLeft(xParent, root);
                    break;
                }
            } else {
                Node* w = xParent->_M_left;
                if (IsRed(w)) {
                    w->_M_color = _S_black;
                    xParent->_M_color = _S_red;
                    RotateRight(xParent, root);
                    w = xParent->_M_left;
                }
                if (!IsRed(w->_M_right) && !IsRed(w->_M_left)) {
                    w->_M_color = _S_red;
                    x = xParent;
                    xParent = xParent->_M_parent;
                } else {
                    if (!IsRed(w->_M_left)) {
                        w->_M_right->_M_color = _S_black;
                        w->_M_color = _S_red;
                        RotateLeft(w, root);
                        w = xParent->_M_left;
                    }
                    w->_M_color = xParent->_M_color;
                    xParent->_M_color = _S_black;
                    if (w->_M_left) w->_M_left->_M_color = _S_black;
                    RotateRight(xParent, root);
                    break;
                }
            }
        }
        if (x) x->_M_color = _S_black;
    }
    return y;
}

}  // namespace std
