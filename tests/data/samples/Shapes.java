package demo.shapes;

import java.util.List;

/**
 * Shapes that know their area. A brace { or a quote " inside a comment
 * counts for nothing.
 */
public interface Shape {
    double area();
    String name();
}

abstract class Polygon implements Shape {
    protected final int sides;
    static final char[] MARKS = { 'a', '\n', '\u0041', 'ab', '', 'abc', 'abcd' };
    private static String banner = describe("polygon");

    Polygon(int sides) {
        this.sides = sides;
    }

    static String describe(String kind) {
        String joined = "a string that runs on \
to the next line";
        return kind + joined;
    }

    class Corner {
        int index;

        double angle() {
            return 180.0 * (sides - 2) / sides;
        }
    }

    public String name() {
        class Label {
            String text() { return "polygon of " + sides; }
        }
        return new Label().text();
    }
}

class Square extends Polygon {
    Square() { super(4); }

    public double area() { return 1.0; } // unit square
}
