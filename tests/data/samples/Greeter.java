package demo;

/* A greeter that
   says hello. */
public class Greeter {
    private final String name; // who to greet

    public Greeter(String name) {
        this.name = name;
    }

    public String greet() {
        char mark = '!';
        return "Hello, " + name + mark;
    }
}
