package demo;

/* Saved on Windows: every line ends
   with a carriage return and a line feed. */
public class Windows {
    static String name = "crlf";

    public static void main(String[] args) {
        char c = '\n';
        System.out.println(name + c); // greet
    }
}
